#include "ui/app/EarlierVersionsDlg.h"

#include "ui/framework/StandardButtonKeys.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace talvane::collection;

EarlierVersionsDlg::EarlierVersionsDlg(std::vector<KeptVersion> versions, QWidget* parent)
    : QDialog(parent), m_versions(std::move(versions)), m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("Restore an earlier version"));
    m_list->setHeaderLabels({tr("Saved over"), tr("Trees"), tr("Size")});
    m_list->setAccessibleName(tr("Earlier versions"));
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    const QLocale locale;
    for (const KeptVersion& version : m_versions) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, locale.toString(QDateTime::fromSecsSinceEpoch(version.savedAt), QLocale::ShortFormat));
        item->setText(1, locale.toString(static_cast<qulonglong>(version.trees)));
        item->setText(2, locale.formattedDataSize(static_cast<qint64>(version.size)));
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    giveStandardButtonsKeys(*buttons);
    buttons->button(QDialogButtonBox::Open)->setEnabled(!m_versions.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(480, 320);
}

std::optional<KeptVersion> EarlierVersionsDlg::chosenVersion() const
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (result() != Accepted || row < 0)
        return std::nullopt;
    return m_versions[static_cast<std::size_t>(row)];
}
