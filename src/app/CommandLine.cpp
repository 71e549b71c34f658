#include "app/CommandLine.h"

namespace CommandLine {

bool bypassesSplash(const QStringList& arguments)
{
    return arguments.size() == 2 && arguments.at(1) == QLatin1String("bypass");
}

} // namespace CommandLine
