#pragma once
// A titled group of radio buttons in columns, selected by index the way the
// options dialog's groups work: an index below 0 selects nothing, one beyond
// the last entry selects the last, and only a change of selection (by a click
// or by code) announces itself.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex NOTIFY Click)
    Q_PROPERTY(bool CaptionMode READ CaptionMode WRITE SetCaptionMode)
public:
    RadioGroup(const QString& title, const QStringList& items, int columns,
               QWidget* parent = nullptr);

    int ItemIndex() const { return m_index; }
    void SetItemIndex(int index);
    int count() const { return static_cast<int>(m_buttons.size()); }
    QRadioButton* button(int index) const { return m_buttons.value(index); }

    // The title shown as a caption bar (on) or as a plain group title (off).
    bool CaptionMode() const { return m_captionMode; }
    void SetCaptionMode(bool on);

signals:
    // The selection changed; the new index.
    void Click(int index);

private:
    void buttonToggled(int id, bool checked);

    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
    int m_index = -1;
    bool m_captionMode = true;
};
