#pragma once

#include <QString>

namespace korvane {

// The common file dialog. Filters come in the "Description|pattern|Description|pattern" form;
// the answer is the chosen full path, or empty text when the user cancels. Each owner
// (a window's own dialog component) remembers the last chosen file (FileDialogMemory).
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual QString showOpen(const QString &filter, const QString &owner = QStringLiteral("Form4")) = 0;
    // documentPath: the file of the document being saved, empty when it has none.
    virtual QString showSave(const QString &filter, const QString &documentPath,
                             const QString &owner = QStringLiteral("Form4")) = 0;
};

} // namespace korvane
