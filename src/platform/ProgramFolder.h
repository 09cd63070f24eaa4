#pragma once

#include <QString>

namespace brisomel {

// The running program's folder: the application's when there is one, else as the system tells it
// (tests and fuzz targets run without a QCoreApplication); empty where it does not tell, as with
// the portable I/O (BRISOMEL_PORTABLE_IO).
QString programFolder();

} // namespace brisomel
