#pragma once

#include <QHash>
#include <QString>

namespace korvane {

// What each window's file dialog remembers between uses: the last file chosen in it.
// Open offers that file again. Save never offers a file the document does not own, where
// one Enter would overwrite it: it offers the document's own file, or for a document
// without one the folder of the last choice and no name.
class FileDialogMemory {
public:
    QString openStart(const QString &owner) const { return m_lastChosen.value(owner); }
    // documentPath: the file of the document being saved, empty when it has none.
    QString saveStart(const QString &owner, const QString &documentPath) const;
    void remember(const QString &owner, const QString &chosenPath);

private:
    QHash<QString, QString> m_lastChosen;
};

} // namespace korvane
