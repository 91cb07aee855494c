#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace korvane {

// What the editor does with line ends, in one place. A document's text keeps the line
// ends it has; each of the four ways text enters or leaves a document applies one rule:
//
//   Open   a line ends at CR LF or at a lone CR (a lone LF stays inside its line); every
//          line, the last one included, is followed by CR LF.
//   Paste  text with no CR at all but with LFs comes from a program that ends lines with
//          LF, and each LF becomes CR LF; any other text is pasted as it is.
//   Print  every line end the text box breaks at (CR LF, a lone CR, a lone LF) is one
//          line feed for the printer.
//   Save   the text is written as it is, followed by CR LF.
//
// So a file's lines are kept as they were read, and every save-and-open cycle adds one
// empty line at the end: the CR LF that Save puts after a text that already ends with one.
class LineEnds {
public:
    // Open: the decoded text of a whole file with the line ends Open gives it.
    static QString opened(QString text);

    // Open, for text that arrives in pieces (a big file, read chunk by chunk): after each
    // piece, openLoneCrs from where the new text begins, room for that many more units,
    // then openAddLineFeeds; after the last piece, openEndLastLine.
    //
    // How many lone CRs the text has from `from` on. The character before `from` is looked
    // at again, since a CR that ended the previous piece could not be judged then; a CR at
    // the very end waits for what follows it.
    static qsizetype openLoneCrs(QStringView text, qsizetype from);
    // Puts a line feed after each of the `loneCrs` lone CRs that openLoneCrs counted, in
    // place; the string must have room for them (QString::reserve).
    static void openAddLineFeeds(QString &text, qsizetype loneCrs);
    // Ends the last line with CR LF; a CR still at the end is a lone one.
    static void openEndLastLine(QString &text);

    // Paste (and middle-click paste, and text dropped on the text box): the text as it goes
    // into the document.
    static QString pasted(const QString &clipboardText);

    // Print: the length of the line end at text[i] (2 for CR LF, 1 for a lone CR or LF), or
    // 0 when text[i] ends no line. The printer gets PrintedLineEnd in its place.
    static qsizetype printedLineEndAt(QStringView text, qsizetype i)
    {
        const QChar c = text[i];
        if (c == u'\r')
            return i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
        return c == u'\n' ? 1 : 0;
    }
    static constexpr QChar PrintedLineEnd = u'\n';

    // Save: the bytes written after the encoded text, in every encoding.
    static QByteArray savedEnd() { return QByteArray("\r\n", 2); }
};

} // namespace korvane
