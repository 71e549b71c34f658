#pragma once

#include <QStringList>

namespace CommandLine {

// True when the program was started with exactly one argument, "bypass"
// (case-sensitive), after the toolkit has taken its own options. The first
// entry of `arguments` is the program itself.
bool bypassesSplash(const QStringList& arguments);

} // namespace CommandLine
