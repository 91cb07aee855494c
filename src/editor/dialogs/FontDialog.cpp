#include "editor/dialogs/FontDialog.h"

#include "editor/Editor.h"
#include "editor/dialogs/EditorDialogs.h"
#include "editor/dialogs/NumericText.h"
#include "editor/document/TextDocument.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCollator>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

constexpr int FirstSize = 5;
constexpr int LastSize = 72;

template <typename W>
W *place(W *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(twipsRect(left, top, width, height));
    return widget;
}

QCheckBox *styleBox(QWidget *frame, const char *name, const QString &text, int top, int width)
{
    return place(new QCheckBox(text, frame), name, 120, top, width, 255);
}

// The family a text box shows when its document names no font of its own.
QString defaultTextBoxFamily() { return QFontInfo(QApplication::font("QPlainTextEdit")).family(); }

} // namespace

void showFontDialog(Editor &editor, QWidget *frame)
{
    FontDialog dialog(editor.platform(), editor.activeDocument(), frame);
    dialog.exec();
}

FontDialog::FontDialog(Platform &platform, TextDocument &document, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_platform(platform), m_document(&document)
{
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QStringLiteral("Font"));
    setModal(true);
    resize(twipsToPixels(5745, 3630));
    buildControls();
    load();
}

void FontDialog::buildControls()
{
    place(new QLabel(QStringLiteral("字体"), this), kFontCaption, 120, 240, 1695, 255);
    m_fontList = place(new QListWidget(this), kFontList, 120, 480, 1695, 2040);
    place(new QLabel(QStringLiteral("字体大小"), this), kSizeCaption, 2160, 240, 1335, 255);
    m_sizeField = place(new QLineEdit(QStringLiteral("Text1"), this), kSizeField, 2160, 480, 855, 285);
    m_sizeList = place(new QListWidget(this), kSizeList, 2160, 840, 855, 1680);

    // A frame's caption sits on its border line, so the boxes placed below it stay clear of it.
    const QString frameStyle = QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }");
    auto *styles = place(new QGroupBox(QStringLiteral("显示"), this), kStyleFrame, 3360, 240, 1335, 1695);
    styles->setStyleSheet(frameStyle);
    m_bold = styleBox(styles, kBoldBox, QStringLiteral("粗体"), 240, 735);
    m_italic = styleBox(styles, kItalicBox, QStringLiteral("斜体"), 600, 735);
    m_underline = styleBox(styles, kUnderlineBox, QStringLiteral("下划线"), 960, 975);
    m_strikethrough = styleBox(styles, kStrikethroughBox, QStringLiteral("删除线"), 1320, 1095);

    auto *colour = place(new QGroupBox(QStringLiteral("颜色"), this), kColourFrame, 3600, 2040, 855, 855);
    colour->setStyleSheet(frameStyle);
    m_swatch = place(new QLabel(colour), kColourSwatch, 120, 360, 615, 255);
    m_swatch->setAutoFillBackground(true);
    m_swatch->setCursor(Qt::PointingHandCursor);
    m_swatch->setToolTip(QStringLiteral("选择颜色"));
    m_swatch->installEventFilter(this);
    QPalette swatchPalette = m_swatch->palette();
    swatchPalette.setColor(QPalette::Window, Qt::black);
    m_swatch->setPalette(swatchPalette);

    m_sample = place(new QLabel(QStringLiteral("标准文本"), this), kSample, 120, 2880, 2895, 615);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameShape(QFrame::Box);
    m_sample->setAutoFillBackground(true);
    QPalette samplePalette = m_sample->palette();
    samplePalette.setColor(QPalette::Window, Qt::white);
    samplePalette.setColor(QPalette::WindowText, Qt::black);
    m_sample->setPalette(samplePalette);

    auto *ok = place(new QPushButton(QStringLiteral("确认"), this), kConfirmButton, 4920, 480, 735, 375);
    auto *quit = place(new QPushButton(QStringLiteral("退出"), this), kQuitButton, 4920, 960, 735, 375);
    // Neither button answers Return, so Return in the size field does not close the dialog.
    ok->setAutoDefault(false);
    quit->setAutoDefault(false);

    setTabOrder(m_fontList, m_sizeField);
    setTabOrder(m_sizeField, m_sizeList);
    setTabOrder(m_sizeList, m_bold);
    setTabOrder(m_bold, m_italic);
    setTabOrder(m_italic, m_underline);
    setTabOrder(m_underline, m_strikethrough);
    setTabOrder(m_strikethrough, ok);
    setTabOrder(ok, quit);
    m_fontList->setFocus();

    connect(m_fontList, &QListWidget::currentRowChanged, this, &FontDialog::fontFamilyChosen);
    connect(m_fontList, &QListWidget::itemClicked, this, &FontDialog::fontFamilyChosen);
    connect(m_sizeList, &QListWidget::currentRowChanged, this, &FontDialog::sizeChosen);
    connect(m_sizeList, &QListWidget::itemClicked, this, &FontDialog::sizeChosen);
    connect(m_sizeField, &QLineEdit::textChanged, this, &FontDialog::sizeTyped);
    for (QCheckBox *box : {m_bold, m_italic, m_underline, m_strikethrough})
        connect(box, &QCheckBox::toggled, this, &FontDialog::styleToggled);
    connect(ok, &QPushButton::clicked, this, &FontDialog::acceptChoice);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
}

void FontDialog::load()
{
    const TextFont document = m_document->font();
    const QString documentFamily = document.name.isEmpty() ? defaultTextBoxFamily() : document.name;

    // Before anything matches, the sample shows the document as it is, so a font or a
    // size the lists do not offer survives "确认" unchanged.
    QFont sample = m_sample->font();
    sample.setFamily(documentFamily);
    if (document.size > 0)
        sample.setPointSizeF(document.size);
    m_sample->setFont(sample);

    QStringList families = m_platform.fonts().screenFonts();
    families.removeDuplicates();
    // Sorted as a Chinese system sorts names: Latin names first, Chinese ones by pinyin.
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    collator.setNumericMode(true);
    std::stable_sort(families.begin(), families.end(), [&collator](const QString &a, const QString &b) {
        const bool latinA = !a.isEmpty() && a[0].unicode() < 0x80;
        const bool latinB = !b.isEmpty() && b[0].unicode() < 0x80;
        if (latinA != latinB)
            return latinA;
        return collator.compare(a, b) < 0;
    });
    m_fontList->addItems(families);
    for (int size = FirstSize; size <= LastSize; ++size)
        m_sizeList->addItem(QLatin1Char(' ') + QString::number(size));

    for (int i = 0; i < m_fontList->count(); ++i) {
        if (m_fontList->item(i)->text() == documentFamily) {
            m_fontList->setCurrentRow(i);
            break;
        }
    }

    const double wholeSize = std::floor(document.size);
    for (int i = 0; i < m_sizeList->count(); ++i) {
        if (numericValue(m_sizeList->item(i)->text()) == wholeSize) {
            m_sizeList->setCurrentRow(i);
            setSampleSize(wholeSize);
            m_sizeField->setText(m_sizeList->item(i)->text());
            break;
        }
    }

    m_bold->setChecked(document.bold);
    m_italic->setChecked(document.italic);
    m_underline->setChecked(document.underline);
    m_strikethrough->setChecked(document.strikethrough);

    QPalette swatchPalette = m_swatch->palette();
    swatchPalette.setColor(QPalette::Window, document.foreColor);
    m_swatch->setPalette(swatchPalette);
    setSampleColor(document.foreColor);
}

void FontDialog::fontFamilyChosen()
{
    const QListWidgetItem *item = m_fontList->currentItem();
    if (!item)
        return;
    QFont sample = m_sample->font();
    sample.setFamily(item->text());
    m_sample->setFont(sample);
}

void FontDialog::sizeChosen()
{
    const QListWidgetItem *item = m_sizeList->currentItem();
    if (!item)
        return;
    {
        // The field's own change handler would select this item again.
        const QScopedValueRollback chaining(m_sizeChaining, true);
        m_sizeField->setText(item->text());
    }
    setSampleSize(numericValue(m_sizeField->text()));
}

void FontDialog::sizeTyped()
{
    if (m_sizeChaining)
        return;
    const double value = numericValue(m_sizeField->text());
    for (int i = 0; i < m_sizeList->count(); ++i) {
        if (numericValue(m_sizeList->item(i)->text()) == value) {
            {
                const QSignalBlocker quiet(m_sizeList);
                m_sizeList->setCurrentRow(i);
            }
            // Exactly one pass: the item's click sets the field, then the chain stops.
            sizeChosen();
            setSampleSize(value);
            return;
        }
    }
}

void FontDialog::styleToggled()
{
    QFont sample = m_sample->font();
    sample.setBold(m_bold->isChecked());
    sample.setItalic(m_italic->isChecked());
    sample.setUnderline(m_underline->isChecked());
    sample.setStrikeOut(m_strikethrough->isChecked());
    m_sample->setFont(sample);
}

void FontDialog::chooseColour()
{
    // A cancelled colour dialog keeps the colour the swatch had.
    const std::optional<QColor> chosen = m_platform.colorDialog().showColor(swatchColor());
    if (!chosen)
        return;
    QPalette swatchPalette = m_swatch->palette();
    swatchPalette.setColor(QPalette::Window, *chosen);
    m_swatch->setPalette(swatchPalette);
    setSampleColor(*chosen);
}

void FontDialog::acceptChoice()
{
    // The dialog is modal, so the document cannot have been closed meanwhile; the check
    // only guards against a document closed from outside.
    if (m_document)
        m_document->setFont(sampleFont());
    accept();
}

bool FontDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_swatch && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        chooseColour();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

TextFont FontDialog::sampleFont() const
{
    const QFont f = m_sample->font();
    TextFont font;
    font.name = f.family();
    font.size = f.pointSizeF();
    font.bold = f.bold();
    font.italic = f.italic();
    font.underline = f.underline();
    font.strikethrough = f.strikeOut();
    font.foreColor = m_sample->palette().color(QPalette::WindowText);
    return font;
}

void FontDialog::setSampleSize(double points)
{
    if (points <= 0)
        return;
    QFont sample = m_sample->font();
    sample.setPointSizeF(points);
    m_sample->setFont(sample);
}

void FontDialog::setSampleColor(const QColor &color)
{
    QPalette p = m_sample->palette();
    p.setColor(QPalette::WindowText, color);
    m_sample->setPalette(p);
}

QColor FontDialog::swatchColor() const { return m_swatch->palette().color(QPalette::Window); }

double FontDialog::numericValue(QStringView text) { return numericTextValue(text); }

} // namespace korvane
