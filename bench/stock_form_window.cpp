// A second reference of the start-up benchmark: the program's frame around
// its main form, laid out from the same template, but made of Qt's own
// controls (push buttons, check boxes, a table view, sliders, labels) and
// with no document, sounds or settings behind it. It shows what Qt itself
// needs to put a form of this size on the screen; watched by the same probe.
#include "app/first_paint_probe.h"
#include "app/main_window.h"
#include "controls/form_pictures.h"
#include "platform/dialog_layout.h"
#include "practice/main_form_template.h"

#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <QStandardItemModel>
#include <QTableView>

#include <vector>

namespace {

class StockForm : public QWidget {
public:
    StockForm()
    {
        setFont(templateFont());
        std::vector<DialogControl> controls(mainFormTemplate().begin(), mainFormTemplate().end());
        for (DialogControl& control : controls)
            control.style = {};
        buildDialogControls(this, font(), controls, makeControl);
        const DialogBaseUnits units = DialogBaseUnits::fromFont(font());
        m_size = QSize(units.toPixelsX(kMainFormWidth), units.toPixelsY(kMainFormHeight));
    }
    QSize sizeHint() const override { return m_size; }

private:
    // Stand-ins for the drawn controls: the list, the two sliders, and plain
    // labels for the banner, the clock and the progress bar.
    static QWidget* makeControl(const DialogControl& control, QWidget* parent)
    {
        switch (control.id) {
        case IDC_INTERVAL_LIST: {
            auto* list = new QTableView(parent);
            list->setModel(new QStandardItemModel(0, 7, list));
            return list;
        }
        case IDC_WAVE_VOLUME:
        case IDC_MAIN_VOLUME: return new QSlider(Qt::Horizontal, parent);
        default: {
            auto* label = new QLabel(QString::fromUtf8(control.text), parent);
            label->setAutoFillBackground(true);
            return label;
        }
        }
    }

    QSize m_size;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication application(argc, argv);
    QApplication::setWindowIcon(programIcon());
    MainWindow window;
    window.setView(new StockForm);
    window.show();
    new FirstPaintProbe(&window);
    return application.exec();
}
