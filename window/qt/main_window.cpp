#include "window/qt/main_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <limits>
#include <string_view>

#include "engine/graph_engine.h"
#include "window/command_boundary.h"
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

void applyLook(QWidget& widget, layout::Look look) {
    QPalette palette = widget.palette();
    switch (look) {
        case layout::Look::Surface:
        case layout::Look::Standard:
            return;
        case layout::Look::WhiteFace:
            palette.setColor(QPalette::Button, qColour(layout::kWhite));
            break;
        case layout::Look::Chart:
            palette.setColor(QPalette::Base, qColour(layout::kFormBackground));
            palette.setColor(QPalette::Text, qColour(layout::kGreen));
            break;
        case layout::Look::Switch:
            palette.setColor(QPalette::Window, qColour(layout::kFormBackground));
            palette.setColor(QPalette::WindowText, qColour(layout::kGreen));
            break;
        case layout::Look::Caption:
            palette.setColor(QPalette::WindowText, qColour(layout::kGreen));
            break;
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
    applyLook(*widget, design.look);
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

// Qt keeps one copy of a factory however often it is installed.
Form1::AccessibleRoles::AccessibleRoles() {
    QAccessible::installFactory(accessibleWithRole);
}

// Brackets one command: the plot surface keeps one painter open, and the
// screen follows at the pacing's rate. At the end the pacing shows it all,
// picture before title, and then the painter closes.
class Form1::CommandDisplay {
  public:
    explicit CommandDisplay(Form1& form) : held_(*form.Picture1), paced_(form.pacing_) {}

  private:
    struct Held {
        explicit Held(PlotSurface& surface) : surface_(surface) { surface_.hold(); }
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;
        Held(Held&&) = delete;
        Held& operator=(Held&&) = delete;
        ~Held() { surface_.release(); }
        PlotSurface& surface_;
    };
    Held held_;
    Pacing::Command paced_;
};

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
      Line6(makeLine(*this, "Line6")) {
    using layout::pixels;
    setObjectName(QStringLiteral("Form1"));
    // A title bar with a close box only, and a size the user cannot change.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(pixels(layout::kClientWidth), pixels(layout::kClientHeight));
    setTitle(std::string(kTitle));
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

    // The tab order of the layout, over the controls that take the focus.
    QWidget* previous = nullptr;
    for (const layout::Control& design : layout::kControls) {
        if (design.kind == layout::Kind::Label) {
            continue;
        }
        auto* current = findChild<QWidget*>(qString(design.name), Qt::FindDirectChildrenOnly);
        if (previous != nullptr) {
            setTabOrder(previous, current);
        }
        previous = current;
    }
    Picture1->setFocus();

    // A caption names its control through the label relation; a unit, for
    // which Qt has no relation, becomes the control's description.
    for (const layout::LabelTie& tie : layout::kLabelTies) {
        auto* label = findChild<QLabel*>(qString(tie.label), Qt::FindDirectChildrenOnly);
        auto* control = findChild<QWidget*>(qString(tie.control), Qt::FindDirectChildrenOnly);
        if (tie.tie == layout::Tie::Caption) {
            label->setBuddy(control);
        } else {
            control->setAccessibleDescription(label->text());
        }
    }
    Picture1->setAccessibleDescription(qString(kNothingDrawn));

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
}

void Form1::Command1_Click() {
    const auto drawn = runCommand(*this, [this] {
        const CommandDisplay display(*this);
        return runGraphCommand(*this);
    });
    if (drawn) {
        // Once the screen shows the result, and once per command: each change
        // is announced to assistive tools.
        Picture1->setAccessibleDescription(qString(describeChart(*drawn)));
    }
}

void Form1::Command2_Click() {
    endProgram();
}

// Window and controls.

QLineEdit& Form1::field(TextField which) const {
    switch (which) {
        case TextField::Text1:
            return *Text1;
        case TextField::Text2:
            return *Text2;
        case TextField::Text3:
            return *Text3;
        case TextField::Text4:
            return *Text4;
    }
    throw WindowServiceError("no such text field");
}

std::string Form1::text(TextField which) {
    return field(which).text().toStdString();
}

void Form1::setText(TextField which, const std::string& text) {
    field(which).setText(QString::fromStdString(text));
}

std::string Form1::comboText() {
    return Combo1->currentText().toStdString();
}

void Form1::addComboItem(const std::string& item) {
    Combo1->addItem(QString::fromStdString(item));
}

void Form1::setComboIndex(int index) {
    if (index < -1 || index >= Combo1->count()) {
        throw WindowServiceError("list index out of range");
    }
    Combo1->setCurrentIndex(index);
}

int Form1::checkState() {
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

void Form1::setCommand1Enabled(bool enabled) {
    if (!enabled) {
        // Qt hands the focus of a disabled button to the next control, Exit:
        // a second Space would end the program instead of graphing again.
        const bool hadFocus = focusWidget() == Command1;
        Command1->setEnabled(false);
        focusPushedTo_ = hadFocus ? focusWidget() : nullptr;
        return;
    }
    Command1->setEnabled(true);
    if (focusPushedTo_ != nullptr && focusWidget() == focusPushedTo_) {
        Command1->setFocus();
    }
    focusPushedTo_ = nullptr;
}

// Process control.

void Form1::showDrawing() {
    Picture1->showDrawing();
    clearUpperVectorState();
}

void Form1::showTitle(std::string_view title) {
    setWindowTitle(qString(title));
}

void Form1::turnEventLoop() {
    QCoreApplication::processEvents();
    clearUpperVectorState();  // the loop may have painted
}

void Form1::endProgram() {
    beginEnding();
    close();
    QCoreApplication::exit(0);
}

// Closing the window ends the program, also in the middle of a sweep: the
// sweep's next event pump leaves it, instead of running on without a window.
void Form1::closeEvent(QCloseEvent* event) {
    beginEnding();
    event->accept();
    QCoreApplication::exit(0);
}

}  // namespace aurisplot
