#include "app/scaled_style.h"

#include "app/control_widgets.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

namespace ml::app {

namespace {

class ScaledStyle : public QProxyStyle {
  public:
    ScaledStyle(QStyle* base, double factor) : QProxyStyle(base), factor_(factor) {}
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

void scaleApplication(int percent) {
    // The platform's own style, grown; the application owns each style it is given.
    static const QString base = QApplication::style()->name();
    const double f = percent / 100.0;
    QFont font = windowFont();
    font.setPointSizeF(font.pointSizeF() * f);
    QApplication::setFont(font);
    QApplication::setStyle(new ScaledStyle(QStyleFactory::create(base), f));
}

} // namespace ml::app
