#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

// Shows the whole text of a one-line field as a tooltip while the text is wider than
// the field, and no tooltip while it fits; kept up to date as the text or the field's
// size and font change. The tooltip goes on `holder`: the field itself, or the combo
// box around it.
class FullTextTip : public QObject {
    Q_OBJECT
public:
    FullTextTip(QLineEdit* edit, QWidget* holder);

    // Whether the field shows its whole text without scrolling it.
    static bool textFits(const QLineEdit& edit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    QLineEdit* m_edit;
    QWidget* m_holder;
};
