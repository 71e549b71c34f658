#pragma once

#include <QStringList>

namespace CommandLine {

// True when the program was started with exactly one argument, "bypass"
// (case-sensitive), after the toolkit has taken its own options. The first
// entry of `arguments` is the program itself.
bool bypassesSplash(const QStringList& arguments);

struct Options
{
    QString homeRoster;    // --home FILE or --home=FILE
    QString visitorRoster; // --visitor FILE or --visitor=FILE
    QStringList rest;      // the program and every other argument, in order
    QStringList problems;  // what could not be understood, for the operator
};

// Takes the program's own options; what is left is judged as before.
Options parse(const QStringList& arguments);

} // namespace CommandLine
