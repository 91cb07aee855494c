#pragma once

#include "editor/document/TextFont.h"

#include <QDialog>
#include <QPointer>
#include <QStringView>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace korvane {

class Platform;
class TextDocument;

// The modal Font dialog "Form2": shows a document's font and colour, lets the
// user try settings on the sample "标准文本" and on "确认" copies them into the document.
// The sample label itself carries the trial settings.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    // The object names of the dialog and its controls, which scripts and tests find them by.
    static constexpr auto kObjectName = "Form2";
    static constexpr auto kFontCaption = "Label1";
    static constexpr auto kFontList = "List1";
    static constexpr auto kSizeCaption = "Label2";
    static constexpr auto kSizeField = "Text1";
    static constexpr auto kSizeList = "List2";
    static constexpr auto kStyleFrame = "Frame1";
    static constexpr auto kBoldBox = "Check1";
    static constexpr auto kItalicBox = "Check2";
    static constexpr auto kUnderlineBox = "Check3";
    static constexpr auto kStrikethroughBox = "Check4";
    static constexpr auto kColourFrame = "Frame2";
    static constexpr auto kColourSwatch = "Label3";
    static constexpr auto kSample = "Label4";
    static constexpr auto kConfirmButton = "Command1";
    static constexpr auto kQuitButton = "Command2";

    // Loads the dialog for the document.
    FontDialog(Platform &platform, TextDocument &document, QWidget *parent = nullptr);

    // The document "确认" writes to; nullptr once it is gone.
    TextDocument *document() const { return m_document; }
    // The sample's settings, as "确认" would write them.
    TextFont sampleFont() const;

    // The number a text begins with, blanks ignored; 0 when it begins with none.
    static double numericValue(QStringView text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void load();

    void fontFamilyChosen();
    void sizeChosen();
    void sizeTyped();
    void styleToggled();
    void chooseColour();
    void acceptChoice();

    void setSampleSize(double points);
    void setSampleColor(const QColor &color);
    QColor swatchColor() const;

    Platform &m_platform;
    QPointer<TextDocument> m_document;
    bool m_sizeChaining = false;

    QListWidget *m_fontList = nullptr;
    QLineEdit *m_sizeField = nullptr;
    QListWidget *m_sizeList = nullptr;
    QCheckBox *m_bold = nullptr;
    QCheckBox *m_italic = nullptr;
    QCheckBox *m_underline = nullptr;
    QCheckBox *m_strikethrough = nullptr;
    QLabel *m_swatch = nullptr;
    QLabel *m_sample = nullptr;
};

} // namespace korvane
