#pragma once

#include <QString>

namespace korvane {

// Turns a "Text Files (*.TXT)|*.txt|All Files (*.*)|*.*" filter into Qt's
// "Text Files (*.txt *.TXT);;All Files (*)" form. Patterns match in either case,
// as they did on the platform the filters were written for.
QString vbFilterToQt(const QString &vbFilter);

} // namespace korvane
