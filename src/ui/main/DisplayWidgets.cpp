#include "ui/main/DisplayWidgets.h"

#include "core/settings/ProgramSettings.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {
// Lines of a draw, measured at one size: the ink of each line around its
// baseline origin, and the block they make one under the other.
struct MeasuredLines {
    QList<QRect> ink;
    int ascent = 0;
    int descent = 0;
    int pitch = 0;
    QSize block;
};

MeasuredLines MeasureLines(const QStringList& lines, const QFontMetrics& fm) {
    MeasuredLines m;
    m.ascent = fm.ascent();
    m.descent = fm.descent();
    int width = 0;
    for (const QString& line : lines) {
        // The advance box and the glyphs' own box: a bold or fallback glyph may
        // reach past either.
        const QRect box(0, -fm.ascent(), fm.horizontalAdvance(line), fm.ascent() + fm.descent());
        const QRect ink = fm.boundingRect(line).united(box);
        m.ascent = std::max(m.ascent, -ink.top());
        m.descent = std::max(m.descent, ink.bottom() + 1);
        width = std::max(width, ink.width());
        m.ink.append(ink);
    }
    m.pitch = std::max(fm.lineSpacing(), m.ascent + m.descent);
    const int n = int(lines.size());
    m.block = QSize(width, n == 0 ? 0 : (n - 1) * m.pitch + m.ascent + m.descent);
    return m;
}

QStringList SplitLines(const QString& text) {
    return text.isEmpty() ? QStringList() : text.split(QChar(13));
}

QString AsParagraphs(QString text) {
    return text.replace(QChar(13), QChar(10));
}

constexpr int WrapFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
} // namespace

BannerLabel::BannerLabel(QWidget* parent) : QWidget(parent) {}

void BannerLabel::setText(const QString& text) {
    const bool wrap = text != m_lastLines;
    if (text == m_text && wrap == m_wrap)
        return;
    m_text = text;
    m_wrap = wrap;
    invalidate();
}

void BannerLabel::setLines(const QStringList& lines) {
    m_lastLines = lines.join(QChar(13));
    setText(m_lastLines);
}

void BannerLabel::setFontColor(int colour) {
    m_colour = colour;
    update();
}

void BannerLabel::setFontSize(int points) {
    m_pointSize = points;
    invalidate();
}

void BannerLabel::setFontName(const QString& family) {
    m_family = family;
    invalidate();
}

void BannerLabel::setLayoutBottom(bool bottom) {
    m_bottom = bottom;
    invalidate();
}

void BannerLabel::setBacked(bool backed) {
    m_backed = backed;
    update();
}

void BannerLabel::invalidate() {
    m_layout.reset();
    update();
}

QFont BannerLabel::displayFont() const {
    QFont f(m_family);
    // Size 0 means the font system's default height.
    if (m_pointSize > 0)
        f.setPointSize(m_pointSize);
    f.setBold(true);
    return f;
}

QFont BannerLabel::fontAt(int points) const {
    QFont f = displayFont();
    f.setPointSize(std::max(1, points));
    return f;
}

int BannerLabel::maxPointSize() const {
    const int points = displayFont().pointSize();
    return points > 0 ? points : 12;
}

QRect BannerLabel::textArea() const {
    // A small margin, so that no letter touches the edge of the display.
    const int margin = std::max(4, std::min(width(), height()) / 50);
    return rect().adjusted(margin, margin, -margin, -margin);
}

QSize BannerLabel::blockSizeAt(int points) const {
    const QFontMetrics fm(fontAt(points), this);
    if (m_wrap)
        return fm
            .boundingRect(QRect(0, 0, textArea().width(), QWIDGETSIZE_MAX), WrapFlags,
                          AsParagraphs(m_text))
            .size();
    return MeasureLines(SplitLines(m_text), fm).block;
}

bool BannerLabel::fitsAt(int points) const {
    const QSize block = blockSizeAt(points);
    const QRect area = textArea();
    return block.width() <= area.width() && block.height() <= area.height();
}

int BannerLabel::fittingPointSize() const {
    const int most = maxPointSize();
    if (m_text.isEmpty())
        return most;
    const QSize area = textArea().size();
    const QString key = QStringLiteral("%1|%2|%3|%4|%5x%6|%7")
                            .arg(m_text, m_family)
                            .arg(most)
                            .arg(m_wrap)
                            .arg(area.width())
                            .arg(area.height())
                            .arg(logicalDpiY());
    if (const auto found = m_fitCache.constFind(key); found != m_fitCache.constEnd())
        return *found;
    int points = most;
    const QSize atMost = blockSizeAt(most);
    if (most > 1 && (atMost.width() > area.width() || atMost.height() > area.height())) {
        // The largest size below that fits: a line grows almost in step with
        // the size, so a guess from the first measure is a step or two off.
        int low = 1, high = most - 1;
        if (!m_wrap) {
            const double scale = std::min(double(area.width()) / std::max(1, atMost.width()),
                                          double(area.height()) / std::max(1, atMost.height()));
            const int guess = std::clamp(int(most * scale), 1, high);
            if (fitsAt(guess)) {
                low = guess;
                if (guess < high && !fitsAt(guess + 1))
                    high = guess;
            } else {
                high = std::max(low, guess - 1);
                if (high > low && fitsAt(high))
                    low = high;
            }
        }
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (fitsAt(mid))
                low = mid;
            else
                high = mid - 1;
        }
        points = low;
    }
    if (m_fitCache.size() > 512)
        m_fitCache.clear();
    m_fitCache.insert(key, points);
    return points;
}

const BannerLabel::Layout& BannerLabel::layout() const {
    if (m_layout && m_layout->area == textArea() && m_layout->dpi == logicalDpiY())
        return *m_layout;
    Layout l;
    l.area = textArea();
    l.dpi = logicalDpiY();
    l.pointSize = fittingPointSize();
    const QFontMetrics fm(fontAt(l.pointSize), this);
    const QRect area = l.area;
    if (m_wrap) {
        const QRect block = fm.boundingRect(QRect(0, 0, area.width(), QWIDGETSIZE_MAX), WrapFlags,
                                            AsParagraphs(m_text));
        const int top = m_bottom ? area.bottom() + 1 - block.height()
                                 : area.top() + (area.height() - block.height()) / 2;
        l.rects.append(QRect(area.left() + block.left(), top, block.width(), block.height()));
    } else {
        const MeasuredLines m = MeasureLines(SplitLines(m_text), fm);
        const int top = m_bottom ? area.bottom() + 1 - m.block.height()
                                 : area.top() + (area.height() - m.block.height()) / 2;
        for (int i = 0; i < m.ink.size(); ++i) {
            const QRect& ink = m.ink.at(i);
            const QPoint origin(area.left() + (area.width() - ink.width()) / 2 - ink.left(),
                                top + m.ascent + i * m.pitch);
            l.baselines.append(origin);
            l.rects.append(ink.translated(origin));
        }
    }
    m_layout = l;
    return *m_layout;
}

int BannerLabel::shownFontSize() const {
    return layout().pointSize;
}

QFont BannerLabel::shownFont() const {
    return fontAt(shownFontSize());
}

QList<QRect> BannerLabel::lineRects() const {
    return m_text.isEmpty() ? QList<QRect>() : layout().rects;
}

void BannerLabel::paintEvent(QPaintEvent*) {
    if (m_text.isEmpty())
        return;
    const Layout& l = layout();
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (m_backed && !l.rects.isEmpty()) {
        QRect block;
        for (const QRect& r : l.rects)
            block = block.united(r);
        const int pad = std::max(4, block.height() / (4 * int(l.rects.size())));
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 160));
        p.drawRoundedRect(block.adjusted(-pad, -pad, pad, pad).intersected(rect()), pad, pad);
    }
    p.setFont(fontAt(l.pointSize));
    p.setPen(ColorFromSetting(m_colour));
    if (m_wrap) {
        p.drawText(
            QRect(l.area.left(), l.rects.at(0).top(), l.area.width(), l.rects.at(0).height()),
            WrapFlags, AsParagraphs(m_text));
        return;
    }
    const QStringList lines = SplitLines(m_text);
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(l.baselines.at(i), lines.at(i));
}

void BannerLabel::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(event->globalPos());
    event->accept();
}

DisplayPanel::DisplayPanel(QWidget* parent) : QWidget(parent) {
    m_background = new PictureView(this);
    m_background->setObjectName(QStringLiteral("backgroundView"));
    m_background->proportional = false;
    m_background->cacheScaled = true;
    m_photo = new PictureView(this);
    m_photo->setObjectName(QStringLiteral("photoView"));
    m_banner = new BannerLabel(this);
    m_banner->setObjectName(QStringLiteral("bannerLabel"));
    setAutoFillBackground(false);
}

void DisplayPanel::layoutChildren() {
    const QRect r = rect();
    m_background->setGeometry(r);
    if (m_photo->alignClient)
        m_photo->setGeometry(r);
    else
        m_photo->setGeometry(m_photo->x(), r.top(), m_photo->width(), r.height());
    m_banner->setGeometry(r);
}

void DisplayPanel::clearPhoto() {
    m_photo->clearPicture();
    m_photo->alignClient = true;
    m_banner->setLayoutBottom(false);
    m_banner->setBacked(false);
    layoutChildren();
}

void DisplayPanel::resizeEvent(QResizeEvent*) {
    layoutChildren();
}

void DisplayPanel::paintEvent(QPaintEvent*) {
    // Under the background picture: a dark stage rather than a grey form.
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
}

namespace {
bool IsDrawKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
           event->key() == Qt::Key_Enter;
}
} // namespace

PrizeClassBox::PrizeClassBox(QWidget* parent) : QComboBox(parent) {}

void PrizeClassBox::enterEvent(QEnterEvent* event) {
    QComboBox::enterEvent(event);
    emit mouseEntered();
}

void PrizeClassBox::leaveEvent(QEvent* event) {
    QComboBox::leaveEvent(event);
    emit mouseLeft();
}

void PrizeClassBox::keyPressEvent(QKeyEvent* event) {
    if (IsDrawKey(event)) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void WordCountBox::keyPressEvent(QKeyEvent* event) {
    if (IsDrawKey(event)) {
        event->ignore();
        return;
    }
    QSpinBox::keyPressEvent(event);
}
