#pragma once

#include <QIcon>

// The icon every window of the program shares, in all the sizes drawn for it.
QIcon appIcon();
