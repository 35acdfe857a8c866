#include "ChartPlotsPlugin.h"

#include "ChartPlots.h"

ProgressPlots* ChartPlotsPlugin::CreatePlots(QWidget* parent) {
    return new ChartPlots(parent);
}
