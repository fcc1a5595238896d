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
    Q_PROPERTY(int index READ index WRITE setIndex NOTIFY selectionChanged)
    // The skins can style the caption bar through this property.
    Q_PROPERTY(bool captionMode READ captionMode WRITE setCaptionMode)
public:
    RadioGroup(const QString& title, const QStringList& items, int columns,
               QWidget* parent = nullptr);

    int index() const { return m_index; }
    void setIndex(int index);
    int count() const { return static_cast<int>(m_buttons.size()); }
    QRadioButton* button(int index) const { return m_buttons.value(index); }

    // The title shown as a caption bar (on) or as a plain group title (off).
    bool captionMode() const { return m_captionMode; }
    void setCaptionMode(bool on);

signals:
    // The selection changed; the new index.
    void selectionChanged(int index);

private:
    void buttonToggled(int id, bool checked);

    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
    int m_index = -1;
    bool m_captionMode = true;
};
