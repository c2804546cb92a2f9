#include "NxWidgetBase.h"

#include "NxScale.h"

namespace {

// A map without a usable "scalefactor" follows the application's.
double scaleFrom(const QMap<QString, QVariant>& params)
{
    bool ok = false;
    const double factor = params.value(QStringLiteral("scalefactor")).toDouble(&ok);
    return ok && factor > 0.0 ? factor : NxScale::appFactor();
}

} // namespace

NxWidgetBase::NxWidgetBase(QMap<QString, QVariant> params)
    : m_scaleFactor(scaleFrom(params))
    , m_params(std::move(params))
    , m_color(getParams(QStringLiteral("color")))
    , m_hoverColor(getParams(QStringLiteral("hoverColor")))
    , m_pressColor(getParams(QStringLiteral("pressColor")))
    , m_disableColor(getParams(QStringLiteral("disableColor")))
{
}

NxWidgetBase::NxWidgetBase(const NxWidgetBase& other) = default;

// Qt 5's QMap leaves a moved-from map empty, as callers rely on.
NxWidgetBase::NxWidgetBase(NxWidgetBase&& other) noexcept = default;

NxWidgetBase& NxWidgetBase::operator=(const NxWidgetBase& other) = default;

NxWidgetBase& NxWidgetBase::operator=(NxWidgetBase&& other) noexcept = default;

NxWidgetBase::~NxWidgetBase() = default;

QString NxWidgetBase::getParams(const QString& key) const
{
    return m_params.value(key).toString();
}

double NxWidgetBase::getScaleFactor() const
{
    return m_scaleFactor;
}

QMap<QString, QVariant> NxWidgetBase::getParamMap() const
{
    return m_params;
}

QString NxWidgetBase::getColor() const
{
    return m_color;
}

QString NxWidgetBase::getHoverColor() const
{
    return m_hoverColor;
}

QString NxWidgetBase::getPressColor() const
{
    return m_pressColor;
}

QString NxWidgetBase::getDisableColor() const
{
    return m_disableColor;
}
