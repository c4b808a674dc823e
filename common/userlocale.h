#pragma once

#include <QLocale>

// The user's locale for comparing and case mapping; Slovak when the system
// names none (the C locale).
QLocale UserLocale();
