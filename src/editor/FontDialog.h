#pragma once

#include "editor/TextFont.h"

#include <QDialog>
#include <QStringView>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace korvane {

class Editor;

// The modal Font dialog "Form2": shows the active document's font and colour, lets the
// user try settings on the sample "标准文本" and on "确认" copies them into the document.
// The sample label itself carries the trial settings.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    // Loads the dialog for the active document, creating one when none is open.
    explicit FontDialog(Editor &editor, QWidget *parent = nullptr);

    int documentSlot() const { return m_slot; }
    // The sample's settings, as "确认" would write them.
    TextFont sampleFont() const;

    // The number a text begins with, blanks ignored; 0 when it begins with none.
    static double numericValue(QStringView text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void load();

    void list1Click();
    void list2Click();
    void text1Change();
    void checkClick();
    void label3Click();
    void command1Click();

    void setSampleSize(double points);
    void setSampleColor(const QColor &color);
    QColor swatchColor() const;

    Editor &m_editor;
    int m_slot = 0;
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
