#include "controls/shade_button.h"
#include "controls/shade_pictures.h"
#include "platform/dialog_layout.h"
#include "practice/main_form_template.h"

#include <benchmark/benchmark.h>

namespace {

// The shaded buttons of the main form at their usual sizes: the four diagram
// buttons, the three check boxes, the measuring-mode, alarm, delete, sound
// test and sound choice buttons.
const QSize kButtonSizes[] = {QSize(100, 24), QSize(100, 24), QSize(100, 24), QSize(100, 24),
                              QSize(150, 22), QSize(150, 22), QSize(150, 22), QSize(130, 24),
                              QSize(150, 30), QSize(120, 24), QSize(110, 24), QSize(110, 24)};

void makePicturesOfAForm(benchmark::State& state)
{
    const ShadePictures::Colours colours{QColor(160, 160, 160), QColor(239, 239, 239), QColor(255, 255, 255)};
    for (auto _ : state) {
        for (const QSize& size : kButtonSizes) {
            ShadePictures pictures(size, 4, colours);
            benchmark::DoNotOptimize(pictures.normal().constBits());
        }
    }
}
BENCHMARK(makePicturesOfAForm)->Unit(benchmark::kMillisecond);

// The main form's own shaded buttons and check boxes, made as the form makes
// them at start: at their template sizes in the template font, pictures included.
void makeTheMainFormsButtons(benchmark::State& state)
{
    const QFont font = templateFont();
    const DialogBaseUnits units = DialogBaseUnits::fromFont(font);
    for (auto _ : state) {
        QWidget form;
        int made = 0;
        for (const DialogControl& control : mainFormTemplate()) {
            if (!control.style.testFlag(DialogControlStyle::Shaded))
                continue;
            const auto kind = control.kind == DialogControlKind::CheckBox ? ShadeButton::Kind::CheckBox
                                                                          : ShadeButton::Kind::PushButton;
            auto* button = new ShadeButton(kind, QString::fromUtf8(control.text), &form);
            button->setFont(font);
            button->setGeometry(units.toPixels(control.x, control.y, control.w, control.h));
            // Made when first painted.
            benchmark::DoNotOptimize(button->pictures().normal().constBits());
            ++made;
        }
        benchmark::DoNotOptimize(made);
    }
}
BENCHMARK(makeTheMainFormsButtons)->Unit(benchmark::kMillisecond);

} // namespace
