#include "window/qt/main_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string_view>

#include "engine/graph_engine.h"
#include "window/form_layout.h"
#include "window/qt/qt_colour.h"
#include "window/qt/static_line.h"
#include "window/qt/vector_state.h"

namespace aurisplot {
namespace {

[[nodiscard]] QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The design's stand-ins at their pixel size, the first one present: Qt's
// desktops have no MS Sans Serif. A pixel size keeps the font independent of
// the desktop's font and dpi settings.
[[nodiscard]] QFont windowFont() {
    QStringList families;
    for (const std::string_view face : layout::kFont.standIns) {
        families.append(qString(face));
    }
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(layout::kFont.standInPixels);
    return font;
}

// A title bar with the boxes the design's frame has.
[[nodiscard]] Qt::WindowFlags frameFlags(const layout::Frame& frame) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags.setFlag(Qt::WindowCloseButtonHint, frame.closeBox);
    flags.setFlag(Qt::WindowMinimizeButtonHint, frame.minimiseBox);
    flags.setFlag(Qt::WindowMaximizeButtonHint, frame.maximiseBox);
    return flags;
}

// Read as the PNGs they are. Left to find out a file's format, Qt would load
// every image format plugin to ask each one, on the way to the window.
[[nodiscard]] QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QImageReader reader(QStringLiteral(":/aurisplot/aurisplot-%1.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

// The colours of the control's look; what the look leaves unset stays Qt's.
// A field's ground and text are Base and Text, a caption's WindowText, a check
// box's caption WindowText on Window, a button's face Button.
void applyLook(QWidget& widget, layout::Kind kind, layout::Look look) {
    const layout::LookColours colours = layout::coloursOf(look);
    QPalette palette = widget.palette();
    const bool field = kind == layout::Kind::TextField;
    if (colours.ground) {
        const QPalette::ColorRole ground = kind == layout::Kind::PushButton ? QPalette::Button
                                           : field                          ? QPalette::Base
                                                                            : QPalette::Window;
        palette.setColor(ground, qColour(*colours.ground));
    }
    if (colours.text) {
        palette.setColor(field ? QPalette::Text : QPalette::WindowText, qColour(*colours.text));
    }
    widget.setPalette(palette);
}

// A widget of the control's kind, set up as the design asks of that kind.
[[nodiscard]] QWidget* widgetOfKind(layout::Kind kind, QWidget& form) {
    // Every widget is owned by the form, its Qt parent.
    switch (kind) {
        case layout::Kind::PlotSurface:
            return new PlotSurface(&form);
        case layout::Kind::PushButton: {
            auto* button = new QPushButton(&form);
            // Outside a dialog there is no default button; Enter and Esc do nothing.
            button->setAutoDefault(false);
            button->setDefault(false);
            return button;
        }
        case layout::Kind::TextField: {
            auto* field = new QLineEdit(&form);
            // No length limit (Qt's default stops at 32767 characters).
            field->setMaxLength(std::numeric_limits<int>::max());
            return field;
        }
        case layout::Kind::Label: {
            auto* label = new QLabel(&form);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case layout::Kind::DropDownList: {
            auto* list = new QComboBox(&form);
            list->setEditable(false);  // select-only
            return list;
        }
        case layout::Kind::CheckBox:
            return new QCheckBox(&form);
    }
    throw std::logic_error("no such kind of control");
}

// The control as a child of the form, with its place, caption, colours and
// accessible name from the design.
[[nodiscard]] QWidget* makeControl(QWidget& form, const layout::Control& design) {
    using layout::pixels;
    QWidget* widget = widgetOfKind(design.kind, form);
    widget->setObjectName(qString(design.name));
    widget->setGeometry(pixels(design.place.left), pixels(design.place.top),
                        pixels(design.place.width), pixels(design.place.height));
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(qString(design.caption));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(qString(design.caption));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(qString(design.caption));
    }
    applyLook(*widget, design.kind, design.look);
    widget->setAccessibleName(qString(design.accessibleName));
    return widget;
}

// Qt presents a top-level widget as a client area and a widget of its own as
// a filler; assistive tools then show neither the window as the application's
// window nor the plot surface as a chart. The names stay Qt's: the window's is
// its title, the surface's its accessible name.
QAccessibleInterface* accessibleWithRole(const QString& /*className*/, QObject* object) {
    // Qt's accessibility cache owns the interfaces a factory makes.
    if (auto* form = dynamic_cast<Form1*>(object)) {
        return new QAccessibleWidget(form, QAccessible::Window);
    }
    if (auto* surface = dynamic_cast<PlotSurface*>(object)) {
        return new QAccessibleWidget(surface, QAccessible::Chart);
    }
    return nullptr;
}

}  // namespace

void installAccessibleRoles() {
    QAccessible::installFactory(accessibleWithRole);
}

Form1::Form1(QWidget* parent)
    : QWidget(parent),
      controls_(makeControls(*this)),
      core_(*this, control<PlotSurface>("Picture1").canvas()) {
    using layout::pixels;
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(frameFlags(layout::kFrame));
    const QSize size(pixels(layout::kClientWidth), pixels(layout::kClientHeight));
    if (layout::kFrame.resizable) {
        resize(size);
    } else {
        setFixedSize(size);
    }
    setWindowTitle(qString(kTitle));
    setWindowIcon(applicationIcon());
    QPalette black = palette();
    black.setColor(QPalette::Window, qColour(layout::kFormBackground));
    setPalette(black);
    setAutoFillBackground(true);
    setFont(windowFont());
    // One style whatever the desktop's: the classic one paints the buttons'
    // white faces flat inside raised edges and honours every chosen colour.
    if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) {
        classic->setParent(this);  // deleted after the controls, which were created first
        setStyle(classic);
        for (QWidget* child : findChildren<QWidget*>()) {
            child->setStyle(classic);
        }
    }

    // The tab order of the layout, over the controls that take the focus.
    QWidget* previous = nullptr;
    for (const layout::Control& design : layout::kControls) {
        if (!layout::takesFocus(design)) {
            continue;
        }
        QWidget* current = &control(design.name);
        if (previous != nullptr) {
            setTabOrder(previous, current);
        }
        previous = current;
    }

    // A caption names its control through the label relation; a unit, for
    // which Qt has no relation, becomes the control's description.
    for (const layout::LabelTie& tie : layout::kLabelTies) {
        auto& label = control<QLabel>(tie.label);
        auto& named = control<QWidget>(tie.control);
        if (tie.tie == layout::Tie::Caption) {
            label.setBuddy(&named);
        } else {
            named.setAccessibleDescription(label.text());
        }
    }
    for (const layout::LineShape& shape : layout::kLines) {
        new StaticLine(shape, this);  // owned by the form
    }

    for (const layout::Control& design : layout::kControls) {
        if (design.kind == layout::Kind::PushButton) {
            connect(&control<QPushButton>(design.name), &QPushButton::clicked, this,
                    [this, name = design.name] { core_.clicked(name); });
        }
    }
}

std::array<QWidget*, layout::kControls.size()> Form1::makeControls(QWidget& form) {
    std::array<QWidget*, layout::kControls.size()> controls{};
    std::ranges::transform(layout::kControls, controls.begin(), [&](const layout::Control& design) {
        return makeControl(form, design);
    });
    return controls;
}

// The form core's primitives.

std::string Form1::text(std::string_view name) {
    auto& widget = control<QWidget>(name);
    if (auto* field = qobject_cast<QLineEdit*>(&widget)) {
        return field->text().toStdString();
    }
    if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
        return combo->currentText().toStdString();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        return button->text().toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        return label->text().toStdString();
    }
    throw WindowServiceError("the control has no text");
}

void Form1::setText(std::string_view name, std::string_view text) {
    control<QLineEdit>(name).setText(qString(text));
}

void Form1::addItem(std::string_view name, std::string_view item) {
    control<QComboBox>(name).addItem(qString(item));
}

int Form1::itemCount(std::string_view name) {
    return control<QComboBox>(name).count();
}

void Form1::select(std::string_view name, int index) {
    control<QComboBox>(name).setCurrentIndex(index);
}

int Form1::checkState(std::string_view name) {
    switch (control<QCheckBox>(name).checkState()) {
        case Qt::Unchecked:
            return 0;
        case Qt::Checked:
            return 1;
        case Qt::PartiallyChecked:
            return 2;
    }
    return 0;
}

bool Form1::enabled(std::string_view name) {
    return control<QWidget>(name).isEnabled();
}

void Form1::enable(std::string_view name, bool enabled) {
    control<QWidget>(name).setEnabled(enabled);
}

std::string Form1::focused() {
    for (const layout::Control& design : layout::kControls) {
        if (&control(design.name) == focusWidget()) {
            return std::string(design.name);
        }
    }
    return {};
}

void Form1::focus(std::string_view name) {
    control<QWidget>(name).setFocus();
}

void Form1::showTitle(std::string_view title) {
    setWindowTitle(qString(title));
}

bool Form1::turnEventLoop() {
    QCoreApplication::processEvents();
    clearUpperVectorState();  // the loop may have painted
    return true;
}

void Form1::closeWindow() {
    close();
    QCoreApplication::exit(0);
}

void Form1::describeChart(std::string_view description) {
    control<PlotSurface>("Picture1").setAccessibleDescription(qString(description));
}

void Form1::reportFailure(std::string_view what) {
    std::fprintf(stderr, "aurisplot: %.*s\n", static_cast<int>(what.size()), what.data());
}

// Qt tells every widget when its window moves to another screen, and the
// window when it is shown.
bool Form1::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ScreenChangeInternal) {
        core_.scaleChanged(devicePixelRatioF());
    } else if (event->type() == QEvent::Show) {
        core_.scaleChanged(devicePixelRatioF());
        core_.shown();
    }
    return handled;
}

void Form1::closeEvent(QCloseEvent* event) {
    core_.closeRequested();
    event->accept();
}

}  // namespace aurisplot
