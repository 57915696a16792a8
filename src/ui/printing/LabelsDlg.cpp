#include "ui/printing/LabelsDlg.h"

#include "ui/framework/FittingScrollArea.h"
#include "ui/framework/Mnemonic.h"
#include "ui/framework/StandardButtonKeys.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr double kPreviewPixelsPerMillimetre = 1.6;

QDoubleSpinBox* millimetreBox(double value, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0, 500);
    box->setDecimals(2);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(value);
    return box;
}

QSpinBox* countBox(int value, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(1, 40);
    box->setValue(value);
    return box;
}

} // namespace

LabelsDlg::LabelsDlg(std::vector<TreeLabel> selected, std::vector<TreeLabel> listed, QWidget* parent)
    : QDialog(parent), m_selectedLabels(std::move(selected)), m_listedLabels(std::move(listed))
{
    setWindowTitle(tr("Print labels"));
    auto* layout = new QVBoxLayout(this);
    auto* panes = new QHBoxLayout;
    layout->addLayout(panes, 1);
    // On a small screen the choices and the sheet scroll; the buttons stay in sight.
    auto* choicesPane = new QWidget;
    auto* choices = new QVBoxLayout(choicesPane);
    choices->setContentsMargins(0, 0, 0, 0);
    panes->addWidget(new FittingScrollArea(choicesPane, this));
    addSheetRows(choices);
    addTreeChoice(choices);
    addStateLines(choices);
    addPreview(panes);
    addButtons(layout);
    connectFields();
    m_sheetBox->setCurrentIndex(0);
    emit m_sheetBox->currentIndexChanged(0);
    nameFieldsAfterTheirLabels(*this);
}

void LabelsDlg::addSheetRows(QVBoxLayout* choices)
{
    auto* form = new QFormLayout;
    m_sheetBox = new QComboBox(this);
    for (const LabelSheet& preset : labelSheetPresets())
        m_sheetBox->addItem(preset.name);
    m_sheetBox->addItem(tr("Custom size"));
    form->addRow(tr("S&heet:"), m_sheetBox);
    choices->addLayout(form);
    m_custom = makeCustomFields();
    choices->addWidget(m_custom);

    auto* startForm = new QFormLayout;
    m_start = new QSpinBox(this);
    m_start->setToolTip(tr("The labels before it on the first sheet are left as they are, for a sheet "
                                       "already partly used."));
    startForm->addRow(tr("Start at &label:"), m_start);
    choices->addLayout(startForm);
}

void LabelsDlg::addTreeChoice(QVBoxLayout* choices)
{
    auto* trees = new QGroupBox(tr("Trees"), this);
    auto* treesLayout = new QVBoxLayout(trees);
    const std::size_t chosen = m_selectedLabels.size();
    m_selected = new QRadioButton(chosen == 0   ? tr("The trees &selected in the collection list (none)")
                                  : chosen == 1 ? tr("The tree &selected in the collection list")
                                                : tr("The %1 trees &selected in the collection list").arg(chosen),
                                  trees);
    m_listed = new QRadioButton(tr("&Every tree the collection list shows (%1)").arg(m_listedLabels.size()), trees);
    m_selected->setEnabled(!m_selectedLabels.empty());
    (m_selectedLabels.size() > 1 ? m_selected : m_listed)->setChecked(true);
    treesLayout->addWidget(m_selected);
    treesLayout->addWidget(m_listed);
    choices->addWidget(trees);
}

void LabelsDlg::addStateLines(QVBoxLayout* choices)
{
    m_sheetCount = new QLabel(this);
    choices->addWidget(m_sheetCount);
    m_problem = new QLabel(this);
    m_problem->setStyleSheet(QStringLiteral("color: #a40000"));
    m_problem->setWordWrap(true);
    choices->addWidget(m_problem);
    choices->addStretch();
}

void LabelsDlg::addPreview(QHBoxLayout* panes)
{
    m_preview = new QLabel;
    m_preview->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_preview->setAccessibleName(tr("The first sheet"));
    panes->addWidget(new FittingScrollArea(m_preview, this));
}

void LabelsDlg::addButtons(QVBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    giveStandardButtonsKeys(*buttons);
    m_print = buttons->addButton(tr("&Print\u2026"), QDialogButtonBox::AcceptRole);
    m_print->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void LabelsDlg::connectFields()
{
    connect(m_sheetBox, &QComboBox::currentIndexChanged, this, &LabelsDlg::onSheetChosen);
    for (QSpinBox* box : {m_columns, m_rows, m_start})
        connect(box, &QSpinBox::valueChanged, this, &LabelsDlg::refresh);
    for (QDoubleSpinBox* box : {m_width, m_height, m_left, m_top, m_columnStep, m_rowStep})
        connect(box, &QDoubleSpinBox::valueChanged, this, &LabelsDlg::refresh);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &LabelsDlg::refresh);
    connect(m_selected, &QRadioButton::toggled, this, &LabelsDlg::refresh);
}

void LabelsDlg::onSheetChosen(int index)
{
    if (index < static_cast<int>(labelSheetPresets().size())) {
        const LabelSheet& preset = labelSheetPresets()[static_cast<std::size_t>(index)];
        m_paper->setCurrentIndex(preset.paper == QPageSize::Letter ? 1 : 0);
        m_columns->setValue(preset.columns);
        m_rows->setValue(preset.rows);
        m_width->setValue(preset.labelWidth);
        m_height->setValue(preset.labelHeight);
        m_left->setValue(preset.left);
        m_top->setValue(preset.top);
        m_columnStep->setValue(preset.columnStep);
        m_rowStep->setValue(preset.rowStep);
    }
    refresh();
}

QWidget* LabelsDlg::makeCustomFields()
{
    auto* box = new QGroupBox(tr("Size"), this);
    auto* grid = new QFormLayout(box);
    m_paper = new QComboBox(box);
    m_paper->addItems({tr("A4"), tr("Letter")});
    m_columns = countBox(3, box);
    m_rows = countBox(8, box);
    m_width = millimetreBox(70, box);
    m_height = millimetreBox(37, box);
    m_left = millimetreBox(0, box);
    m_top = millimetreBox(0, box);
    m_columnStep = millimetreBox(70, box);
    m_rowStep = millimetreBox(37, box);
    grid->addRow(tr("Paper:"), m_paper);
    grid->addRow(tr("Columns:"), m_columns);
    grid->addRow(tr("Rows:"), m_rows);
    grid->addRow(tr("Label width:"), m_width);
    grid->addRow(tr("Label height:"), m_height);
    grid->addRow(tr("Left margin:"), m_left);
    grid->addRow(tr("Top margin:"), m_top);
    grid->addRow(tr("From column to column:"), m_columnStep);
    grid->addRow(tr("From row to row:"), m_rowStep);
    return box;
}

LabelSheet LabelsDlg::sheet() const
{
    const int index = m_sheetBox->currentIndex();
    if (index < static_cast<int>(labelSheetPresets().size()))
        return labelSheetPresets()[static_cast<std::size_t>(index)];
    LabelSheet sheet;
    sheet.name = m_sheetBox->currentText();
    sheet.paper = m_paper->currentIndex() == 1 ? QPageSize::Letter : QPageSize::A4;
    sheet.columns = m_columns->value();
    sheet.rows = m_rows->value();
    sheet.labelWidth = m_width->value();
    sheet.labelHeight = m_height->value();
    sheet.left = m_left->value();
    sheet.top = m_top->value();
    sheet.columnStep = m_columnStep->value();
    sheet.rowStep = m_rowStep->value();
    return sheet;
}

int LabelsDlg::firstSlot() const
{
    return m_start->value() - 1;
}

bool LabelsDlg::selectedOnly() const
{
    return m_selected->isChecked();
}

void LabelsDlg::refresh()
{
    const bool custom = m_sheetBox->currentIndex() >= static_cast<int>(labelSheetPresets().size());
    m_custom->setEnabled(custom);
    const LabelSheet chosen = sheet();
    m_start->setRange(1, std::max(1, chosen.labelsPerSheet()));
    const QString problem = chosen.problem();
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
    m_print->setEnabled(problem.isEmpty());
    const std::vector<TreeLabel>& labels = selectedOnly() ? m_selectedLabels : m_listedLabels;
    if (!problem.isEmpty()) {
        m_sheetCount->clear();
        m_preview->clear();
        return;
    }
    const LabelPages pages(chosen, labels, firstSlot());
    m_sheetCount->setText(pages.pageCount() == 1 ? tr("1 sheet") : tr("%1 sheets").arg(pages.pageCount()));
    m_preview->setPixmap(QPixmap::fromImage(pages.preview(1, kPreviewPixelsPerMillimetre)));
}
