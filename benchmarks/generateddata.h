#pragma once

#include <QByteArray>

// Data files for the benchmarks, as the program keeps them: Windows-1250,
// every field followed by ";", lines ended by CR LF.  The same call gives the
// same bytes on every run.
namespace benchdata {

// A DB.csv of n complete, valid establishments (internal numbers 1 to n in
// random order, valid IČO check digits, accented names and cities): it loads
// without a marked cell.
QByteArray establishments(int n);

// A supiska.csv of n complete rows with distinct nominal values, in random
// order, each valued nominal times count.
QByteArray voucherList(int n);

} // namespace benchdata
