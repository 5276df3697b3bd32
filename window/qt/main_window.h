#pragma once

// Form1, the program's only window: its controls with their design-time
// properties, the handlers of its events, and the window services the engine
// draws and reads through.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <string>
#include <string_view>

#include "window/form_services.h"
#include "window/pacing.h"
#include "window/qt/plot_surface.h"
#include "window/qt/static_line.h"
#include "window/window_services.h"

namespace aurisplot {

class Form1 final : public QWidget, public FormServices<Form1>, private PacedScreen {
    // Qt keeps the first accessible interface it makes for a widget, so the
    // roles of the window and its plot surface are known before any control
    // exists: this member comes first.
    struct AccessibleRoles {
        AccessibleRoles();
    };
    AccessibleRoles accessibleRoles_;

  public:
    explicit Form1(QWidget* parent = nullptr);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    Form1(Form1&&) = delete;
    Form1& operator=(Form1&&) = delete;
    ~Form1() override = default;

    // Handlers.
    // Form_Load, which fills the resolution list, is FormServices'.
    void Command1_Click();  // runs the Graph command
    void Command2_Click();  // ends the program at once

    // Window and controls; the plot surface, the title and the event pump are
    // FormServices'.
    [[nodiscard]] std::string text(TextField which) override;
    void setText(TextField which, const std::string& text) override;
    [[nodiscard]] std::string comboText() override;
    void addComboItem(const std::string& item) override;
    void setComboIndex(int index) override;
    [[nodiscard]] int checkState() override;
    void setCommand1Enabled(bool enabled) override;

    // Process control.
    void endProgram() override;

    // The controls, by their design-time names, in tab order; then the labels
    // and the static lines. Form1 owns them all as their Qt parent.
    PlotSurface* const Picture1;
    QPushButton* const Command1;
    QPushButton* const Command2;
    QLineEdit* const Text1;
    QLineEdit* const Text2;
    QLineEdit* const Text3;
    QLineEdit* const Text4;
    QComboBox* const Combo1;
    QCheckBox* const Check1;
    QLabel* const Label1;
    QLabel* const Label2;
    QLabel* const Label3;
    QLabel* const Label5;
    QLabel* const Label6;
    QLabel* const Label7;
    QLabel* const Label8;
    QLabel* const Label9;
    QLabel* const Label10;
    StaticLine* const Line1;
    StaticLine* const Line2;
    StaticLine* const Line3;
    StaticLine* const Line4;
    StaticLine* const Line5;
    StaticLine* const Line6;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    friend class FormServices<Form1>;
    class CommandDisplay;

    [[nodiscard]] QLineEdit& field(TextField which) const;
    void showDrawing() override;
    void showTitle(std::string_view title) override;
    void turnEventLoop() override;

    bool ending_ = false;
    Pacing pacing_{*this};
    // Where the focus went when disabling Command1 pushed it away.
    QPointer<QWidget> focusPushedTo_;
};

}  // namespace aurisplot
