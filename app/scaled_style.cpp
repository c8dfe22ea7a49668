#include "app/scaled_style.h"

#include <QApplication>
#include <QProxyStyle>

#include <map>

namespace ml::app {

namespace {

class ScaledStyle : public QProxyStyle {
  public:
    explicit ScaledStyle(double factor) : factor_(factor) {}
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        switch (metric) {
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
        case PM_CheckBoxLabelSpacing:
        case PM_DefaultFrameWidth:
        case PM_ComboBoxFrameWidth:
        case PM_ButtonMargin:
        case PM_ScrollBarExtent:
        case PM_ScrollBarSliderMin:
            return qRound(base * factor_);
        default:
            return base;
        }
    }

  private:
    double factor_;
};

} // namespace

QStyle* scaledStyle(int percent) {
    if (percent == 100)
        return nullptr;
    static std::map<int, QStyle*> styles;
    QStyle*& style = styles[percent];
    if (style == nullptr) {
        style = new ScaledStyle(percent / 100.0);
        style->setParent(qApp);
    }
    return style;
}

} // namespace ml::app
