#pragma once

#include "NxCommonDialogEffect.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

// The form for a channel of one's own: a name, a web address and one of
// five cover pictures. OK checks the input in a fixed order, says what is
// wrong in a toast and stays open until the channel can be made.
class TAVOUIELEMENT_EXPORT NxAddChannelDialog : public NxCommonDialogEffect
{
    Q_OBJECT

public:
    NxAddChannelDialog(QWidget* parent, double scale);

    // The channels already there, for the duplicate checks.
    void setData(const QJsonArray& channels);
    static bool isUrlLegal(QString& url);
    // A new channel id: 32 hexadecimal digits.
    static QString createUUID();

signals:
    void AddCustomChannel(QJsonObject json);

public slots:
    void slotCoverButtonClicked(int id);
    void slotOkbuttonClicked();
    void slotCancelbuttonClicked();

private:
    int px(double design) const;
    QWidget* buildContent();
    QLayout* buildTitleRow(QWidget* parent);
    QLayout* buildFieldRow(QWidget* parent, const QString& objectName, const QString& text, QWidget* field,
                           bool underline);
    QLineEdit* createEdit(QWidget* parent, const QString& objectName, const QString& placeholder);
    QWidget* buildCovers(QWidget* parent);
    QLayout* buildButtons(QWidget* parent);
    QPushButton* createButton(QWidget* parent, const QString& objectName, const QString& text, const QString& background);
    // The first failed check's message key, or an empty string.
    QString inputError(const QString& name, QString url) const;
    QJsonObject newChannel(const QString& name, const QString& url) const;

    QJsonObject m_channel;
    QList<QString> m_urls;
    QList<QString> m_names;
    QList<QString> m_covers;
    int m_coverOffset = 0;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_urlEdit = nullptr;
    QButtonGroup* m_coverGroup = nullptr;
    double m_scale = 1.0;
};
