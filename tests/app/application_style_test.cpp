#include "app/application_style.h"

#include <QApplication>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>

#include <gtest/gtest.h>

#include <link.h>

#include <cstring>
#include <memory>

namespace {

int loadedImagePlugins()
{
    int count = 0;
    ::dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* counted) {
            if (info->dlpi_name && std::strstr(info->dlpi_name, "/imageformats/"))
                ++*static_cast<int*>(counted);
            return 0;
        },
        &count);
    return count;
}

} // namespace

TEST(ApplicationStyle, MakesMenuAndToolBarsWithoutImagePluginsAndWithQtsOwnArrows)
{
    auto* style = new ApplicationStyle;
    QApplication::setStyle(style);
    ASSERT_EQ(loadedImagePlugins(), 0);
    {
        QMenuBar menuBar;
        QToolBar toolBar;
    }
    EXPECT_EQ(loadedImagePlugins(), 0);

    const std::unique_ptr<QStyle> qtStyle(QStyleFactory::create(style->baseStyle()->name()));
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QStyleOption option;
        option.direction = direction;
        for (const QStyle::StandardPixmap arrow :
             {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QIcon ours = style->standardIcon(arrow, &option);
            const QIcon qts = qtStyle->standardIcon(arrow, &option);
            ASSERT_EQ(ours.availableSizes(), qts.availableSizes()) << arrow;
            for (const QSize size : qts.availableSizes())
                EXPECT_EQ(ours.pixmap(size).toImage(), qts.pixmap(size).toImage()) << arrow << " " << direction;
        }
    }
}
