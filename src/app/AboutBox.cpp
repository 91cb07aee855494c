#include "app/AboutBox.h"

#include "platform/FontListService.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QResizeEvent>

namespace korvane {

namespace {

struct LabelText {
    int index;
    int topTwips;
    const char *text; // UTF-8
};

const LabelText Texts[] = {
    {0, 360, "Korvane V1.2"},
    {5, 840, "作者：Korvane 开发小组"},
    {3, 1320, "软件语言：简体中文"},
    {4, 1800, ""}, // kept empty: the gap above the contact lines
    {6, 2280, "联系方式：欢迎在项目网站上提交问题和建议，\n我们会尽快答复。"},
    {1, 2880, "软件网站：https://korvane.example.org/"},
    {2, 3360, "下载地址：https://korvane.example.org/download/"},
    {7, 4200, "免费软件，欢迎使用与传播。"},
};

// The notice is set in 宋体; where that is missing, the nearest CJK face the system has.
QFont noticeFont(const QFont &base, const QStringList &installed)
{
    QFont font(base);
    QStringList families{QStringLiteral("宋体"),
                         QStringLiteral("SimSun"),
                         QStringLiteral("NSimSun"),
                         QStringLiteral("Noto Serif CJK SC"),
                         QStringLiteral("AR PL UMing CN"),
                         QStringLiteral("WenQuanYi Zen Hei"),
                         QStringLiteral("Noto Sans CJK SC")};
    families.erase(std::remove_if(families.begin(), families.end(),
                                  [&](const QString &f) { return !installed.contains(f, Qt::CaseInsensitive); }),
                   families.end());
    if (!families.isEmpty())
        font.setFamilies(families);
    font.setPointSizeF(15.75);
    return font;
}

} // namespace

AboutBox::AboutBox(const FontListService &fonts, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_image(new QLabel(this))
{
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QStringLiteral("关于 Korvane"));
    setWindowIcon(QIcon(QStringLiteral(":/about/icon.png")));

    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setPixmap(QPixmap(QStringLiteral(":/about/background.png")));
    m_image->setScaledContents(true);
    m_image->move(0, 0);

    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    for (const LabelText &t : Texts) {
        auto *label = new QLabel(QString::fromUtf8(t.text), this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(t.index));
        label->setAttribute(Qt::WA_TranslucentBackground);
        label->setAutoFillBackground(false);
        label->setPalette(blue);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (t.index == 7)
            label->setFont(noticeFont(font(), fonts.screenFonts()));
        label->adjustSize();
        label->move(0, twipsToPixels(t.topTwips));
        m_labels[t.index] = label;
    }
    // Once loaded, every label stands at the same left edge.
    for (QLabel *label : m_labels)
        label->move(twipsToPixels(840), label->y());

    setFixedSize(twipsToPixels(6210, 4965));
}

void AboutBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_image->resize(event->size());
}

} // namespace korvane
