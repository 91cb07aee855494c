#include "editor/document/UndoSnapshot.h"

#include <algorithm>
#include <cstring>

namespace korvane {

void UndoSnapshot::clear()
{
    m_state = State::None;
    m_length = 0;
    m_frozen = QString();
    m_log.clear();
    m_logUnits = 0;
}

void UndoSnapshot::take(const QString &current)
{
    clear();
    m_state = State::Tracking;
    m_length = current.size();
}

void UndoSnapshot::recordReplace(const QString &current, qsizetype position, qsizetype removed, qsizetype added)
{
    if (m_state != State::Tracking)
        return; // nothing to keep, or a text of its own that no change touches
    if (removed == 0 && added == 0)
        return;
    if (position == 0 && removed == current.size()) {
        // The whole text goes: the old one is held as it is (shared, not copied), and
        // whatever follows cannot change what the snapshot reads.
        m_frozen = m_log.empty() ? current : assemble(current);
        m_log.clear();
        m_logUnits = 0;
        m_state = State::Frozen;
        return;
    }
    const qsizetype unitBound = std::max(MinUnitBound, current.size() / 4);
    if (m_log.size() >= MaxChanges || m_logUnits + removed > unitBound) {
        // Cheaper as a text of its own from here on.
        m_frozen = assemble(current);
        m_log.clear();
        m_logUnits = 0;
        m_state = State::Frozen;
        return;
    }
    const QString removedText = current.mid(position, removed);
    if (merge(position, removed, added, removedText))
        return;
    m_log.push_back({position, added, removedText});
    m_logUnits += removed;
}

bool UndoSnapshot::merge(qsizetype position, qsizetype removed, qsizetype added, const QString &removedText)
{
    if (m_log.empty())
        return false;
    TextReplacement &last = m_log.back();
    const qsizetype lastEnd = last.position + last.length;
    if (position >= last.position && position + removed <= lastEnd) {
        // Within what the last change put in (typing on, or taking back what was typed):
        // the earlier text around it is the same.
        last.length += added - removed;
        return true;
    }
    if (added != 0)
        return false;
    if (position + removed == last.position) {
        // Deleted just before it (Backspace on).
        last.position = position;
        last.text.prepend(removedText);
        m_logUnits += removed;
        return true;
    }
    if (position == lastEnd) {
        // Deleted just after it (Del on).
        last.text.append(removedText);
        m_logUnits += removed;
        return true;
    }
    return false;
}

bool UndoSnapshot::revertsInPlace(qsizetype currentLength) const
{
    if (m_state != State::Tracking)
        return false;
    // Each reversal moves the text after it; fresh memory for a copy costs several times
    // as much as moving text that is already there.
    qsizetype moved = 0;
    for (const TextReplacement &r : m_log)
        moved += currentLength - r.position;
    return moved <= currentLength;
}

QString UndoSnapshot::text(const QString &current) const
{
    switch (m_state) {
    case State::None: return QString();
    case State::Frozen: return m_frozen;
    case State::Tracking: return m_log.empty() ? current : assemble(current);
    }
    return QString();
}

QString UndoSnapshot::assemble(const QString &current) const
{
    // The snapshot as pieces of the current text and of the removed texts: each reversal,
    // latest first, swaps its range of pieces for what it removed. Then one copy.
    struct Piece {
        const QChar *data;
        qsizetype length;
    };
    std::vector<Piece> pieces;
    if (!current.isEmpty())
        pieces.push_back({current.constData(), current.size()});
    // Index of the first piece that starts at `at`, splitting the piece that holds it.
    auto splitAt = [&pieces](qsizetype at) {
        size_t i = 0;
        qsizetype start = 0;
        while (i < pieces.size() && start + pieces[i].length <= at) {
            start += pieces[i].length;
            ++i;
        }
        if (i < pieces.size() && start < at) {
            const Piece whole = pieces[i];
            const qsizetype head = at - start;
            pieces[i].length = head;
            pieces.insert(pieces.begin() + qsizetype(i) + 1, {whole.data + head, whole.length - head});
            ++i;
        }
        return i;
    };
    for (auto it = m_log.rbegin(); it != m_log.rend(); ++it) {
        const size_t from = splitAt(it->position);
        const size_t to = splitAt(it->position + it->length);
        pieces.erase(pieces.begin() + qsizetype(from), pieces.begin() + qsizetype(to));
        if (!it->text.isEmpty())
            pieces.insert(pieces.begin() + qsizetype(from), {it->text.constData(), it->text.size()});
    }
    QString result(m_length, Qt::Uninitialized);
    QChar *out = result.data();
    qsizetype written = 0;
    for (const Piece &piece : pieces) {
        const qsizetype n = std::min(piece.length, m_length - written);
        std::memcpy(out + written, piece.data, size_t(n) * sizeof(QChar));
        written += n;
    }
    result.truncate(written);
    return result;
}

} // namespace korvane
