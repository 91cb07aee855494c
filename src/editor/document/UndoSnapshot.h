#pragma once

#include "editor/document/TextReplacement.h"

#include <QString>
#include <vector>

namespace korvane {

// The whole text of a document as it was before its last command, for Undo, kept without
// copying the text. Taking the snapshot only notes that it equals the text as it is now;
// from then on every change records how to reverse itself (the position, what it
// removed, how much it put in), and adjacent typing merges into one change. The snapshot
// is put together from the text and those reversals only when someone reads it.
//
// A shared copy of the text would cost as much: the first keystroke after the command
// would make the document copy the whole text (a gigabyte document, a second gigabyte).
// When the reversals grow past a bound, or the whole text is replaced, the snapshot is
// put together once and kept as a text of its own; later changes are then not recorded.
class UndoSnapshot {
public:
    // No snapshot: it reads empty.
    void clear();
    // The text as it is now becomes the snapshot. Costs nothing whatever its length.
    void take(const QString &current);
    // [position, position + removed) of current, the text as it still is, is about to be
    // replaced by `added` units.
    void recordReplace(const QString &current, qsizetype position, qsizetype removed, qsizetype added);

    bool isEmpty() const { return m_length == 0; }
    qsizetype length() const { return m_length; }
    // The snapshot's text, given the document's text as it is now.
    QString text(const QString &current) const;
    // Whether the snapshot is best brought back by reversing the recorded changes in the
    // document's own text (current units long): when they move less of it than a copy of
    // the whole text into fresh memory would cost.
    bool revertsInPlace(qsizetype currentLength) const;
    // The changes that turn the document's text back into the snapshot, in the order to
    // apply them (latest change first).
    std::vector<TextReplacement> reversals() const { return {m_log.rbegin(), m_log.rend()}; }

    // More reversals than this are put together into a text of their own.
    static constexpr size_t MaxChanges = 4096;
    // Nor may their removed text outgrow this many units, or a quarter of the text.
    static constexpr qsizetype MinUnitBound = qsizetype(1) << 20;

private:
    enum class State { None, Frozen, Tracking };

    bool merge(qsizetype position, qsizetype removed, qsizetype added, const QString &removedText);
    QString assemble(const QString &current) const;

    State m_state = State::None;
    qsizetype m_length = 0;
    QString m_frozen;
    // Each change as its reversal: what the later text's range read before it.
    std::vector<TextReplacement> m_log;
    qsizetype m_logUnits = 0;
};

} // namespace korvane
