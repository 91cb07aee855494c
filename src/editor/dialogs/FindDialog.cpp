#include "editor/dialogs/FindDialog.h"

#include "editor/Editor.h"
#include "editor/commands/DocumentSearch.h"
#include "editor/dialogs/EditorDialogs.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvane {

namespace {
QPointer<FindDialog> &sharedDialog()
{
    static QPointer<FindDialog> dialog;
    return dialog;
}
} // namespace

QSize FindDialog::clientSize() { return twipsToPixels(5085, 1290); }

FindDialog::FindDialog(Editor &editor, QWidget *owner)
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_editor(&editor), m_label(new QLabel(QStringLiteral("查找"), this)), m_text(new QLineEdit(this)),
      m_matchCase(new QCheckBox(QStringLiteral("区分大小写"), this)),
      m_findNext(new QPushButton(QStringLiteral("查找下一个"), this)),
      m_exit(new QPushButton(QStringLiteral("退出"), this))
{
    setObjectName(QLatin1String(kObjectName));
    setWindowTitle(QStringLiteral("Find"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(clientSize());

    m_label->setObjectName(QLatin1String(kLabelName));
    m_text->setObjectName(QLatin1String(kSearchBoxName));
    m_matchCase->setObjectName(QLatin1String(kMatchCaseName));
    m_findNext->setObjectName(QLatin1String(kFindNextName));
    m_exit->setObjectName(QLatin1String(kExitName));

    m_label->setGeometry(twipsRect(120, 120, 1695, 255));
    m_text->setGeometry(twipsRect(120, 360, 3615, 285));
    // The box is as tall as the design asks, but never so short that its caption is cut.
    QRect check = twipsRect(120, 840, 1335, 195);
    check.setHeight(std::max(check.height(), m_matchCase->sizeHint().height()));
    check.setWidth(std::max(check.width(), m_matchCase->sizeHint().width()));
    m_matchCase->setGeometry(check);
    m_findNext->setGeometry(twipsRect(3840, 120, 1095, 375));
    m_exit->setGeometry(twipsRect(3840, 600, 1095, 375));

    // Neither button answers Enter or Esc on its own.
    for (QPushButton *b : {m_findNext, m_exit}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    setTabOrder(m_text, m_matchCase);
    setTabOrder(m_matchCase, m_findNext);
    setTabOrder(m_findNext, m_exit);

    // Loading the dialog starts the search over; the box starts empty while the search
    // text keeps its value until the user types, so F3 still finds the earlier text.
    editor.search().setPosition(0);
    m_matchCase->setChecked(editor.search().matchCase());

    connect(m_matchCase, &QCheckBox::toggled, this, [this](bool on) {
        if (m_editor)
            m_editor->search().setMatchCase(on);
    });
    connect(m_text, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_editor)
            m_editor->search().setText(text);
    });
    connect(m_findNext, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
    // A dialog without its editor has nothing left to search.
    connect(&editor, &QObject::destroyed, this, &QWidget::close);
    if (owner)
        owner->installEventFilter(this);
}

bool FindDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The frame closing (not merely minimized) takes its Find window with it, even when
    // tool windows keep the program running.
    if (watched == parentWidget() && event->type() == QEvent::Hide && !event->spontaneous())
        close();
    return QWidget::eventFilter(watched, event);
}

FindDialog::~FindDialog()
{
    if (sharedDialog() == this)
        sharedDialog() = nullptr;
}

FindDialog *FindDialog::instance() { return sharedDialog(); }

FindDialog *FindDialog::showFor(Editor &editor, QWidget *owner)
{
    FindDialog *dialog = sharedDialog();
    if (dialog && dialog->editor() != &editor) {
        dialog->close();
        dialog = nullptr;
    }
    if (!dialog) {
        dialog = new FindDialog(editor, owner);
        sharedDialog() = dialog;
        // Near the top of the frame, over its documents but clear of its menu.
        if (owner) {
            const QRect frame = owner->frameGeometry();
            dialog->move(frame.center().x() - dialog->width() / 2, frame.top() + frame.height() / 4);
        }
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void FindDialog::closeEvent(QCloseEvent *event)
{
    // Gone at once for the next Find, even before the deferred delete runs.
    if (sharedDialog() == this)
        sharedDialog() = nullptr;
    QWidget::closeEvent(event);
}

void FindDialog::findNext()
{
    if (m_editor)
        m_editor->search().find(m_text->text());
}

void showFindDialog(Editor &editor, QWidget *frame) { FindDialog::showFor(editor, frame); }

} // namespace korvane
