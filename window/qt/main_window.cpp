#include "window/qt/main_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QAbstractButton>
#include <cstdio>
#include <limits>
#include <string_view>

#include "engine/graph_engine.h"
#include "window/form_layout.h"
#include "window/qt/qt_colour.h"
#include "window/qt/vector_state.h"

namespace aurisplot {
namespace {

[[nodiscard]] QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Labels are as large as their captions: an 8-point interface font of the
// original platform. DejaVu Sans Condensed at 10 pixels (fonts-dejavu-extra)
// fits every caption in its width; a pixel size keeps it independent of the
// desktop's font and dpi settings.
[[nodiscard]] QFont windowFont() {
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(10);
    return font;
}

[[nodiscard]] QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/aurisplot/aurisplot-%1.png").arg(size), QSize(size, size));
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
                                           : field                           ? QPalette::Base
                                                                             : QPalette::Window;
        palette.setColor(ground, qColour(*colours.ground));
    }
    if (colours.text) {
        palette.setColor(field ? QPalette::Text : QPalette::WindowText, qColour(*colours.text));
    }
    widget.setPalette(palette);
}

// Creates the control of that name as a child of the form, with its place,
// caption, colours and accessible name from the layout.
template <typename Widget>
[[nodiscard]] Widget* makeControl(QWidget& form, std::string_view name) {
    using layout::pixels;
    const layout::Control& design = layout::control(name);
    auto* widget = new Widget(&form);  // owned by the form
    widget->setObjectName(qString(design.name));
    widget->setGeometry(pixels(design.place.left), pixels(design.place.top),
                        pixels(design.place.width), pixels(design.place.height));
    if constexpr (requires { widget->setText(QString()); }) {
        widget->setText(qString(design.caption));
    }
    applyLook(*widget, design.kind, design.look);
    widget->setAccessibleName(qString(design.accessibleName));
    return widget;
}

[[nodiscard]] StaticLine* makeLine(QWidget& form, std::string_view name) {
    return new StaticLine(layout::line(name), &form);  // owned by the form
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
      Picture1(makeControl<PlotSurface>(*this, "Picture1")),
      Command1(makeControl<QPushButton>(*this, "Command1")),
      Command2(makeControl<QPushButton>(*this, "Command2")),
      Text1(makeControl<QLineEdit>(*this, "Text1")),
      Text2(makeControl<QLineEdit>(*this, "Text2")),
      Text3(makeControl<QLineEdit>(*this, "Text3")),
      Text4(makeControl<QLineEdit>(*this, "Text4")),
      Combo1(makeControl<QComboBox>(*this, "Combo1")),
      Check1(makeControl<QCheckBox>(*this, "Check1")),
      Label1(makeControl<QLabel>(*this, "Label1")),
      Label2(makeControl<QLabel>(*this, "Label2")),
      Label3(makeControl<QLabel>(*this, "Label3")),
      Label5(makeControl<QLabel>(*this, "Label5")),
      Label6(makeControl<QLabel>(*this, "Label6")),
      Label7(makeControl<QLabel>(*this, "Label7")),
      Label8(makeControl<QLabel>(*this, "Label8")),
      Label9(makeControl<QLabel>(*this, "Label9")),
      Label10(makeControl<QLabel>(*this, "Label10")),
      Line1(makeLine(*this, "Line1")),
      Line2(makeLine(*this, "Line2")),
      Line3(makeLine(*this, "Line3")),
      Line4(makeLine(*this, "Line4")),
      Line5(makeLine(*this, "Line5")),
      Line6(makeLine(*this, "Line6")),
      core_(*this, Picture1->canvas()) {
    using layout::pixels;
    setObjectName(QStringLiteral("Form1"));
    // A title bar with a close box only, and a size the user cannot change.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(pixels(layout::kClientWidth), pixels(layout::kClientHeight));
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
        for (QWidget* control : findChildren<QWidget*>()) {
            control->setStyle(classic);
        }
    }

    for (QPushButton* button : {Command1, Command2}) {
        // Outside a dialog there is no default button; Enter and Esc do nothing.
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    // The fields have no length limit (Qt's default stops at 32767 characters).
    for (QLineEdit* textField : {Text1, Text2, Text3, Text4}) {
        textField->setMaxLength(std::numeric_limits<int>::max());
    }
    Combo1->setEditable(false);  // select-only
    for (QLabel* label :
         {Label1, Label2, Label3, Label5, Label6, Label7, Label8, Label9, Label10}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
        controls_[i] = findChild<QWidget*>(qString(layout::kControls[i].name),
                                           Qt::FindDirectChildrenOnly);
    }
    // The tab order of the layout, over the controls that take the focus.
    QWidget* previous = nullptr;
    for (std::size_t i = 0; i < layout::kControls.size(); ++i) {
        if (!layout::takesFocus(layout::kControls[i])) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, controls_[i]);
        }
        previous = controls_[i];
    }
    Picture1->setFocus();

    // A caption names its control through the label relation; a unit, for
    // which Qt has no relation, becomes the control's description.
    for (const layout::LabelTie& tie : layout::kLabelTies) {
        auto* label = qobject_cast<QLabel*>(&control(tie.label));
        QWidget& named = control(tie.control);
        if (tie.tie == layout::Tie::Caption) {
            label->setBuddy(&named);
        } else {
            named.setAccessibleDescription(label->text());
        }
    }
    Picture1->setAccessibleDescription(qString(kNothingDrawn));

    connect(Command1, &QPushButton::clicked, this, [this] { core_.Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { core_.Command2_Click(); });
}

QWidget& Form1::control(std::string_view name) const {
    return *controls_.at(layout::indexOf(name));
}

// The form core's primitives.

std::string Form1::text(std::string_view name) {
    QWidget& widget = control(name);
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
    auto* field = qobject_cast<QLineEdit*>(&control(name));
    if (field == nullptr) {
        throw WindowServiceError("the control takes no text");
    }
    field->setText(qString(text));
}

void Form1::addItem(std::string_view /*control*/, std::string_view item) {
    Combo1->addItem(qString(item));
}

int Form1::itemCount(std::string_view /*control*/) {
    return Combo1->count();
}

std::string Form1::item(std::string_view /*control*/, int index) {
    return Combo1->itemText(index).toStdString();
}

void Form1::select(std::string_view /*control*/, int index) {
    Combo1->setCurrentIndex(index);
}

int Form1::checkState(std::string_view /*control*/) {
    switch (Check1->checkState()) {
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
    return control(name).isEnabled();
}

void Form1::enable(std::string_view name, bool enabled) {
    control(name).setEnabled(enabled);
}

std::string Form1::focused() {
    const QWidget* widget = focusWidget();
    for (const layout::Control& design : layout::kControls) {
        if (&control(design.name) == widget) {
            return std::string(design.name);
        }
    }
    return {};
}

void Form1::focus(std::string_view name) {
    control(name).setFocus();
}

void Form1::showTitle(std::string_view title) {
    setWindowTitle(qString(title));
}

void Form1::turnEventLoop() {
    QCoreApplication::processEvents();
    clearUpperVectorState();  // the loop may have painted
}

void Form1::closeWindow() {
    close();
    QCoreApplication::exit(0);
}

void Form1::describeChart(std::string_view description) {
    Picture1->setAccessibleDescription(qString(description));
}

void Form1::reportFailure(std::string_view what) {
    std::fprintf(stderr, "aurisplot: %.*s\n", static_cast<int>(what.size()), what.data());
}

// Closing the window ends the program, also in the middle of a sweep: the
// sweep's next event pump leaves it, instead of running on without a window.
void Form1::closeEvent(QCloseEvent* event) {
    core_.closing();
    event->accept();
    QCoreApplication::exit(0);
}

}  // namespace aurisplot
