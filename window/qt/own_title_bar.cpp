#include "window/qt/own_title_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace aurisplot {
namespace {

constexpr int kBarHeight = 30;
constexpr int kIconSize = 16;
constexpr int kMargin = 8;
constexpr int kCloseBoxSize = 22;

// The desktop's palette, every colour of it set: the application's own would
// count as unset, and the bar would take the window's colours.
[[nodiscard]] QPalette desktopPalette() {
    QPalette palette = QApplication::palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colourRole = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(group, colourRole, palette.brush(group, colourRole));
        }
    }
    return palette;
}

// The close box: a cross, with a ground that shows when the pointer is on it.
class CloseBox final : public QAbstractButton {
  public:
    explicit CloseBox(QWidget* parent) : QAbstractButton(parent) {
        setObjectName(QStringLiteral("CloseBox"));
        setAccessibleName(QStringLiteral("Close"));
        setToolTip(QStringLiteral("Close"));
        // A title bar is not in the window's tab order.
        setFocusPolicy(Qt::NoFocus);
        setAttribute(Qt::WA_Hover);
        setFixedSize(kCloseBoxSize, kCloseBoxSize);
    }

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        if (isDown() || underMouse()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(palette().color(isDown() ? QPalette::Dark : QPalette::Midlight));
            painter.drawEllipse(rect());
        }
        QPen pen(palette().color(QPalette::WindowText));
        pen.setWidthF(1.5);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        const QRectF cross = QRectF(rect()).adjusted(7, 7, -7, -7);
        painter.drawLine(cross.topLeft(), cross.bottomRight());
        painter.drawLine(cross.bottomLeft(), cross.topRight());
    }
};

// The bar itself: the window's icon and title, the close box, and a place to
// take hold of the window and move it.
class TitleBar final : public QWidget {
  public:
    explicit TitleBar(QWidget& window) : QWidget(&window), window_(window) {
        setObjectName(QStringLiteral("TitleBar"));
        setAccessibleName(QStringLiteral("Title bar"));
        // The desktop's colours and font, not those the window chose for its
        // contents.
        setPalette(desktopPalette());
        const QFont desktopFont = QApplication::font();
        setFont(QFont(desktopFont.family(), desktopFont.pointSize(), QFont::Bold));
        setAutoFillBackground(true);
        setGeometry(0, 0, window.width(), kBarHeight);

        auto* close = new CloseBox(this);  // owned by the bar
        close->move(width() - kMargin / 2 - kCloseBoxSize, (kBarHeight - kCloseBoxSize) / 2);
        connect(close, &QAbstractButton::clicked, &window, &QWidget::close);
        connect(&window, &QWidget::windowTitleChanged, this, qOverload<>(&QWidget::update));
        connect(&window, &QWidget::windowIconChanged, this, qOverload<>(&QWidget::update));
    }

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(0, height() - 1, width() - 1, height() - 1);

        const int iconTop = (height() - kIconSize) / 2;
        window_.windowIcon().paint(&painter, kMargin, iconTop, kIconSize, kIconSize);

        // Centred on the bar, as far as the icon and the close box leave room.
        const int reserved = kMargin + kIconSize + kMargin;
        const QRect room(reserved, 0, width() - 2 * reserved, height());
        const QString title =
            QFontMetrics(font()).elidedText(window_.windowTitle(), Qt::ElideRight, room.width());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(room, Qt::AlignCenter, title);
    }

    // Pressing the bar lets the desktop move the window with the pointer.
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && window_.windowHandle() != nullptr &&
            window_.windowHandle()->startSystemMove()) {
            event->accept();
            return;
        }
        QWidget::mousePressEvent(event);
    }

  private:
    QWidget& window_;
};

}  // namespace

bool wantsOwnTitleBar(const QString& platformName) {
    return platformName.startsWith(QStringLiteral("wayland"));
}

QWidget* addOwnTitleBar(QWidget& window) {
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->move(child->x(), child->y() + kBarHeight);
    }
    window.setFixedSize(window.width(), window.height() + kBarHeight);
    // Qt drops the frameless hint while the window asks for a close button: the
    // bar's close box is that button now.
    window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    return new TitleBar(window);  // owned by the window
}

}  // namespace aurisplot
