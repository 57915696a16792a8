#include "ui/framework/StandardButtonKeys.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

QString standardButtonText(QDialogButtonBox::StandardButton button)
{
    static constexpr struct {
        QDialogButtonBox::StandardButton button;
        const char* text;
    } kTexts[] = {{QDialogButtonBox::Ok, QT_TRANSLATE_NOOP("StandardButtons", "&OK")},
                  {QDialogButtonBox::Cancel, QT_TRANSLATE_NOOP("StandardButtons", "&Cancel")},
                  {QDialogButtonBox::Close, QT_TRANSLATE_NOOP("StandardButtons", "&Close")},
                  {QDialogButtonBox::Open, QT_TRANSLATE_NOOP("StandardButtons", "&Open")},
                  {QDialogButtonBox::Yes, QT_TRANSLATE_NOOP("StandardButtons", "&Yes")},
                  {QDialogButtonBox::No, QT_TRANSLATE_NOOP("StandardButtons", "&No")}};
    for (const auto& named : kTexts)
        if (named.button == button)
            return QCoreApplication::translate("StandardButtons", named.text);
    return {};
}

namespace {

// A message box's standard buttons are numbered as a button box's are.
template <typename Box>
void giveKeys(Box& box)
{
    for (QAbstractButton* button : box.buttons()) {
        const auto standard = static_cast<QDialogButtonBox::StandardButton>(box.standardButton(button));
        if (const QString text = standardButtonText(standard); !text.isEmpty())
            button->setText(text);
    }
}

} // namespace

void giveStandardButtonsKeys(QDialogButtonBox& box)
{
    giveKeys(box);
}

void giveStandardButtonsKeys(QMessageBox& box)
{
    giveKeys(box);
}
