#pragma once

#include "ui/printing/LabelPages.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QVBoxLayout;

// Asks how to print labels: the sheet (a common one or a size of the grower's own),
// the label of the first sheet to start at, and which trees; shows the first sheet.
class LabelsDlg : public QDialog {
    Q_OBJECT
public:
    // The labels of the trees selected in the collection list and of every tree it shows.
    LabelsDlg(std::vector<TreeLabel> selected, std::vector<TreeLabel> listed, QWidget* parent = nullptr);

    LabelSheet sheet() const;
    int firstSlot() const;
    bool selectedOnly() const;

    QComboBox* sheetBox() const { return m_sheetBox; }
    QSpinBox* startBox() const { return m_start; }
    QSpinBox* columnsBox() const { return m_columns; }
    QPushButton* printButton() const { return m_print; }
    QRadioButton* selectedButton() const { return m_selected; }
    QRadioButton* listedButton() const { return m_listed; }
    QLabel* problemLabel() const { return m_problem; }
    QLabel* sheetCountLabel() const { return m_sheetCount; }

public slots:
    // Shows the sheet as chosen now, and whether it can be printed.
    void refresh();

private:
    void addSheetRows(QVBoxLayout* choices);
    QWidget* makeCustomFields();
    void addTreeChoice(QVBoxLayout* choices);
    // The count of sheets, and why the sheet cannot be printed.
    void addStateLines(QVBoxLayout* choices);
    void addPreview(QHBoxLayout* panes);
    void addButtons(QVBoxLayout* layout);
    void connectFields();
    // A common sheet fills the size fields with its own.
    void onSheetChosen(int index);

    std::vector<TreeLabel> m_selectedLabels;
    std::vector<TreeLabel> m_listedLabels;
    QComboBox* m_sheetBox;
    QWidget* m_custom;
    QComboBox* m_paper;
    QSpinBox* m_columns;
    QSpinBox* m_rows;
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_height;
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_top;
    QDoubleSpinBox* m_columnStep;
    QDoubleSpinBox* m_rowStep;
    QSpinBox* m_start;
    QRadioButton* m_selected;
    QRadioButton* m_listed;
    QLabel* m_preview;
    QLabel* m_sheetCount;
    QLabel* m_problem;
    QPushButton* m_print;
};
