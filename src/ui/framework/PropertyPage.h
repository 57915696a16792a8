#pragma once

#include <QWidget>

class DataExchange;

// One tab of a property sheet: a form whose members are exchanged with its controls.
class CPropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyPage(QWidget* parent = nullptr);

    // A page is exactly the size of its template.
    QSize sizeHint() const override { return minimumSize(); }

    // Reads the controls into the members (true) or shows the members (false).
    void UpdateData(bool saveAndValidate);

protected:
    virtual void DoDataExchange(DataExchange& dx) = 0;
};
