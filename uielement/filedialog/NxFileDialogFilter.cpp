#include "NxFileDialogFilter.h"

#include "NxComboBox.h"
#include "NxFileFilters.h"
#include "NxFilterLineEdit.h"
#include "NxScale.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* caption(QWidget* parent, const char* objectName, const char* key, double scale)
{
    auto* label = new QLabel(QCoreApplication::translate("NxFileDialog", key), parent);
    label->setObjectName(QLatin1String(objectName));
    label->setMinimumWidth(NxScale::px(58, scale));
    return label;
}

} // namespace

NxFileDialogFilter::NxFileDialogFilter(QWidget* parent, double scale)
    : QWidget(parent)
    , m_scale(scale)
{
    setObjectName(QStringLiteral("filterrow"));
    m_nameLabel = caption(this, "basetitle", QT_TRANSLATE_NOOP("NxFileDialog", "ID_RES_FILENAME"), scale);
    m_formatLabel = caption(this, "formattitle", QT_TRANSLATE_NOOP("NxFileDialog", "ID_NX_FILEFORMAT"), scale);
    m_nameEdit = new NxFilterLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("filenameedit"));
    m_nameEdit->setFixedSize(NxScale::px(548, scale), NxScale::px(24, scale));
    m_filterBox = new NxComboBox(this);
    m_filterBox->setObjectName(QStringLiteral("filtercomb"));
    m_filterBox->setFixedSize(NxScale::px(548, scale), NxScale::px(24, scale));
    m_filterBox->setFocusPolicy(Qt::NoFocus);
    m_okBtn = new QPushButton(QCoreApplication::translate("NxFileDialog", "ID_OK"), this);
    m_okBtn->setObjectName(QStringLiteral("okbtn"));
    m_cancelBtn = new QPushButton(QCoreApplication::translate("NxFileDialog", "ID_CANCEL"), this);
    m_cancelBtn->setObjectName(QStringLiteral("cancelbtn"));
    m_cancelBtn->setFixedSize(NxScale::px(84, scale), NxScale::px(24, scale));
    for (QPushButton* b : {m_okBtn, m_cancelBtn}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    const QString font = QStringLiteral("font: %1px 'Microsoft YaHei';").arg(NxScale::px(14, scale));
    setStyleSheet(QStringLiteral("QLabel{%1 color:#333333;}"
                                 "QLineEdit#filenameedit{%1 color:#333333; border:1px solid #cccccc; border-radius:%2px;"
                                 " padding:0 %3px; background:#ffffff;}"
                                 "QLineEdit#filenameedit:focus{border:1px solid #666EDC;}"
                                 "QComboBox#filtercomb{%1 color:#333333; border:1px solid #cccccc; border-radius:%2px;"
                                 " padding:0 %3px; background:#ffffff;}"
                                 "QComboBox#filtercomb::drop-down{border:none; width:%4px;}"
                                 "QComboBox#filtercomb::down-arrow{image:url(:/rc/icon/ID_DOWN_ARROW.png); width:%5px; height:%5px;}"
                                 "QComboBox#filtercomb QAbstractItemView{%1 color:#333333; background:#ffffff;"
                                 " border:1px solid #cccccc; outline:none; selection-background-color:rgba(102,110,220,0.1);"
                                 " selection-color:#666EDC;}"
                                 "QComboBox#filtercomb QAbstractItemView::item{min-height:%6px;}"
                                 "QPushButton#cancelbtn{%1 color:#333333; background:#ffffff; border:1px solid #cccccc;"
                                 " border-radius:%2px;}"
                                 "QPushButton#cancelbtn:pressed{background:#ededed;}")
                      .arg(font)
                      .arg(NxScale::px(2, scale))
                      .arg(NxScale::px(6, scale))
                      .arg(NxScale::px(24, scale))
                      .arg(NxScale::px(12, scale))
                      .arg(NxScale::px(40, scale)));
    styleOk();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(NxScale::px(120, scale), NxScale::px(4, scale), NxScale::px(24, scale), NxScale::px(4, scale));
    grid->setHorizontalSpacing(NxScale::px(10, scale));
    grid->setVerticalSpacing(NxScale::px(8, scale));
    grid->addWidget(m_nameLabel, 0, 0);
    grid->addWidget(m_nameEdit, 0, 1);
    grid->addWidget(m_formatLabel, 1, 0);
    grid->addWidget(m_filterBox, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(m_okBtn, 0, 3, Qt::AlignRight);
    grid->addWidget(m_cancelBtn, 1, 3, Qt::AlignRight);

    connect(m_nameEdit, &QLineEdit::textChanged, this, &NxFileDialogFilter::slotFileNameTextChanged);
    connect(m_nameEdit, &NxFilterLineEdit::sigMousePressed, this, &NxFileDialogFilter::slotMousePressed);
    connect(m_filterBox, QOverload<int>::of(&QComboBox::activated), this, &NxFileDialogFilter::sltChangeFilter);
    connect(m_okBtn, &QPushButton::clicked, this, &NxFileDialogFilter::sgl_Ok);
    connect(m_cancelBtn, &QPushButton::clicked, this, &NxFileDialogFilter::sgl_Cancle);
}

void NxFileDialogFilter::styleOk()
{
    const QString font = QStringLiteral("font: %1px 'Microsoft YaHei';").arg(NxScale::px(m_insertForm ? 16 : 14, m_scale));
    if (m_insertForm) {
        m_okBtn->setFixedSize(NxScale::px(96, m_scale), NxScale::px(40, m_scale));
        m_okBtn->setStyleSheet(QStringLiteral("QPushButton#okbtn{%1 color:#ffffff; background:#666EDC; border:1px solid #666EDC;"
                                              " border-radius:%2px;} QPushButton#okbtn:hover{background:#757CDF;}")
                                   .arg(font)
                                   .arg(NxScale::px(4, m_scale)));
        m_okBtn->setEnabled(true);
        return;
    }
    m_okBtn->setFixedSize(NxScale::px(84, m_scale), NxScale::px(24, m_scale));
    m_okBtn->setStyleSheet(QStringLiteral("QPushButton#okbtn{%1 color:#666EDC; background:#ffffff; border:1px solid #666EDC;"
                                          " border-radius:%2px;} QPushButton#okbtn:pressed{background:rgba(102,110,220,0.1);}"
                                          "QPushButton#okbtn:disabled{color:#87CEFA; border:1px solid #87CEFA;}")
                               .arg(font)
                               .arg(NxScale::px(2, m_scale)));
    m_okBtn->setEnabled(!m_nameEdit->text().isEmpty());
}

void NxFileDialogFilter::setFilters(const QString& filter)
{
    m_filterBox->clear();
    m_filterBox->addItems(NxFileFilters::entries(filter));
}

QString NxFileDialogFilter::currentFilter() const
{
    return m_filterBox->currentText();
}

QString NxFileDialogFilter::fileName() const
{
    return m_nameEdit->text();
}

void NxFileDialogFilter::setFileName(const QString& name)
{
    m_nameEdit->setText(name);
}

void NxFileDialogFilter::setInsertForm(bool on)
{
    m_insertForm = on;
    styleOk();
}

void NxFileDialogFilter::setOkText(const QString& text)
{
    m_okBtn->setText(text);
}

void NxFileDialogFilter::sltChangeFilter(int index)
{
    emit sgl_ChangeFilter(m_filterBox->itemText(index));
}

void NxFileDialogFilter::slotFileNameTextChanged(QString text)
{
    if (!m_insertForm)
        m_okBtn->setEnabled(!text.isEmpty());
}

// A tap into the name selects it, so a finger can replace it at once.
void NxFileDialogFilter::slotMousePressed()
{
    m_nameEdit->selectAll();
}
