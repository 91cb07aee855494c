#pragma once

#include <QWidget>

class QLabel;

namespace korvane {

class FontListService;

// "frmAbout": the program's name, version and a few lines about it over a picture.
// A fixed tool window without buttons; the user closes it with its close box.
class AboutBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int LabelCount = 8;

    static constexpr auto kObjectName = "frmAbout";

    // The fonts are asked which faces the notice can be set in.
    explicit AboutBox(const FontListService &fonts, QWidget *parent = nullptr);

    QLabel *image() const { return m_image; }
    QLabel *label(int index) const { return m_labels[index]; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_image;
    QLabel *m_labels[LabelCount];
};

} // namespace korvane
