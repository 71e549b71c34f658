#include "app/CommandLine.h"

#include <algorithm>

namespace CommandLine {

bool bypassesSplash(const QStringList& arguments)
{
    return arguments.size() == 2 && arguments.at(1) == QLatin1String("bypass");
}

Options parse(const QStringList& arguments)
{
    Options options;
    const std::pair<QString, QString*> rosters[] = {
        {QStringLiteral("--home"), &options.homeRoster},
        {QStringLiteral("--visitor"), &options.visitorRoster}};
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        const auto option =
            std::find_if(std::begin(rosters), std::end(rosters), [&](const auto& r) {
                return i > 0 && (argument == r.first || argument.startsWith(r.first + u'='));
            });
        if (option == std::end(rosters)) {
            options.rest << argument;
        } else if (argument.size() > option->first.size()) {
            *option->second = argument.mid(option->first.size() + 1);
        } else if (i + 1 < arguments.size()) {
            *option->second = arguments.at(++i);
        } else {
            options.problems << QStringLiteral("%1 needs a roster file.").arg(argument);
        }
    }
    return options;
}

} // namespace CommandLine
