#pragma once

#include "TavoUIElementGlobal.h"

#include <QMap>
#include <QString>
#include <QVariant>

// The parameter map of a configurable widget (the file dialog) with the
// values read from it: scale factor and the four state colours.
class TAVOUIELEMENT_EXPORT NxWidgetBase
{
public:
    explicit NxWidgetBase(QMap<QString, QVariant> params);
    NxWidgetBase(const NxWidgetBase& other);
    NxWidgetBase(NxWidgetBase&& other) noexcept;
    NxWidgetBase& operator=(const NxWidgetBase& other);
    NxWidgetBase& operator=(NxWidgetBase&& other) noexcept;
    ~NxWidgetBase();

    QString getParams(const QString& key) const;
    double getScaleFactor() const;
    QMap<QString, QVariant> getParamMap() const;
    QString getColor() const;
    QString getHoverColor() const;
    QString getPressColor() const;
    QString getDisableColor() const;

private:
    double m_scaleFactor = 1.0;
    QMap<QString, QVariant> m_params;
    QString m_color;
    QString m_hoverColor;
    QString m_pressColor;
    QString m_disableColor;
};
