// The panel's input: selecting and editing a player, keys, and the events its
// own surface raises to the host.
#include "display/NumberLED.h"
#include "help/HelpLauncher.h"
#include "options/frmOptions.h"
#include "panel/Quorvel.h"
#include "toolkit/FilledBox.h"
#include "toolkit/KeyCodes.h"
#include "toolkit/Twips.h"
#include "toolkit/ValueText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>

namespace {

// The LED value as the edit line shows it: negative means no value.
QString ledText(const NumberLED* led)
{
    return led->value() < 0 ? QString() : ValueText::decimalText(led->value());
}

int ledValue(const QLineEdit* box)
{
    if (box->text().isEmpty())
        return -1;
    return ValueText::floorToInt16(ValueText::textToNumber(box->text()));
}

} // namespace

void Quorvel::PlayerClick(qint16 Index)
{
    if (Index < 0 || Index >= qint16(picPlayer.size()))
        return;
    m_playerEdit = Index;
    txtInputName->setText(lblName[Index]->text());
    txtInputNumber->setText(ledText(nledNumber[Index]));
    txtInputFouls->setText(ledText(nledFouls[Index]));
    txtInputPoints->setText(ledText(nledPoints[Index]));
}

void Quorvel::applyEditLine()
{
    const int i = m_playerEdit;
    if (i < 0 || i >= int(picPlayer.size()))
        return;
    emit editApplying(i);
    lblName[i]->setText(txtInputName->text());
    nledNumber[i]->setValue(ledValue(txtInputNumber));
    nledFouls[i]->setValue(ledValue(txtInputFouls));
    nledPoints[i]->setValue(ledValue(txtInputPoints));
    updateRowAccessibleName(i);
    emit statsChanged();
}

void Quorvel::updateRowAccessibleName(int i)
{
    auto part = [](const QString& label, const NumberLED* led) {
        return label + u' ' + (led->value() < 0 ? tr("none") : QString::number(led->value()));
    };
    picPlayer[i]->setAccessibleName(tr("Player %1: %2, %3, %4, %5")
                                        .arg(i + 1)
                                        .arg(lblName[i]->text(), part(tr("number"), nledNumber[i]),
                                             part(tr("fouls"), nledFouls[i]),
                                             part(tr("points"), nledPoints[i])));
}

int Quorvel::rowOf(QObject* child) const
{
    for (int i = 0; i < int(picPlayer.size()); ++i) {
        if (child == picPlayer[i] || child == lblName[i] || child == nledNumber[i] ||
            child == nledFouls[i] || child == nledPoints[i])
            return i;
    }
    return -1;
}

bool Quorvel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        auto* w = static_cast<QWidget*>(watched);
        const int row = rowOf(watched);
        if (row >= 0 && mouse->button() == Qt::LeftButton &&
            w->rect().contains(mouse->position().toPoint()))
            PlayerClick(qint16(row));
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // A row box takes no focus: a key reaching it is one a display has
        // had and ignored. It ends there rather than reaching the table area
        // and being routed twice.
        if (rowOf(watched) >= 0 && qobject_cast<NumberLED*>(watched) == nullptr)
            return watched == picPlayer[rowOf(watched)];
        // A modal dialog runs inside this handler: the options refresh must
        // not destroy the row whose key is still being delivered.
        const QScopedValueRollback inKey(m_keyDepth, m_keyDepth + 1);
        const auto* key = static_cast<QKeyEvent*>(event);
        const qint16 code = qint16(KeyCodes::virtualKey(key));
        if (event->type() == QEvent::KeyRelease) {
            if (!key->isAutoRepeat())
                AllKeyUp(code, qint16(KeyCodes::shiftBits(key->modifiers())));
            break;
        }
        AllKeyDown(code);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (watched == txtInputName || watched == txtInputNumber ||
                      watched == txtInputFouls || watched == txtInputPoints))
            applyEditLine();
        break;
    }
    default:
        break;
    }
    return false; // keys and clicks always reach the control itself
}

void Quorvel::AllKeyDown(qint16 KeyCode)
{
    if (KeyCode == KeyCodes::f1)
        HelpLauncher::showLibraryHelp();
    else if (KeyCode == KeyCodes::f2)
        frmOptions::Open();
}

void Quorvel::AllKeyUp(qint16 KeyCode, qint16)
{
    if (KeyCode == KeyCodes::numLock)
        UpdateNumLock();
}

int Quorvel::KeyCodeToAsci(qint16 KeyCode)
{
    using namespace KeyCodes;
    if (KeyCode == space || KeyCode == enter || KeyCode == none)
        return KeyCode;
    if (KeyCode == equalsPlus || KeyCode == keypadPlus)
        return '+';
    if (KeyCode == minus || KeyCode == keypadMinus)
        return '-';
    if (KeyCode >= keypad0 && KeyCode <= keypad9)
        return '0' + (KeyCode - keypad0);
    if (KeyCode >= digit0 && KeyCode <= digit9)
        return '0' + (KeyCode - digit0);
    if (KeyCode == keypadDecimal || KeyCode == fullStop)
        return '.';
    return -1;
}

void Quorvel::raiseMouse(void (Quorvel::*signal)(qint16, qint16, float, float),
                         const QMouseEvent* event, Qt::MouseButtons buttons)
{
    const QPointF p = event->position();
    emit(this->*signal)(qint16(KeyCodes::buttonBits(buttons)),
                        qint16(KeyCodes::shiftBits(event->modifiers())),
                        float(p.x() * Twips::perPixel), float(p.y() * Twips::perPixel));
}

void Quorvel::mousePressEvent(QMouseEvent* event)
{
    m_releaseEndsDoubleClick = false;
    raiseMouse(&Quorvel::MouseDown, event, event->button());
}

void Quorvel::mouseReleaseEvent(QMouseEvent* event)
{
    raiseMouse(&Quorvel::MouseUp, event, event->button());
    // The release that ends a double click is no click of its own.
    if (!std::exchange(m_releaseEndsDoubleClick, false) &&
        rect().contains(event->position().toPoint()))
        emit Click();
}

void Quorvel::mouseDoubleClickEvent(QMouseEvent*)
{
    m_releaseEndsDoubleClick = true;
    emit DblClick();
}

void Quorvel::mouseMoveEvent(QMouseEvent* event)
{
    raiseMouse(&Quorvel::MouseMove, event, event->buttons());
}

void Quorvel::keyPressEvent(QKeyEvent* event)
{
    // Keys a focused child ignores come up here; only the panel's own count.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    emit KeyDown(qint16(KeyCodes::virtualKey(event)),
                 qint16(KeyCodes::shiftBits(event->modifiers())));
    if (!event->text().isEmpty())
        emit KeyPress(qint16(event->text().at(0).unicode()));
}

void Quorvel::keyReleaseEvent(QKeyEvent* event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    // A held key repeats its press only: the host hears of the release once.
    if (event->isAutoRepeat())
        return;
    emit KeyUp(qint16(KeyCodes::virtualKey(event)),
               qint16(KeyCodes::shiftBits(event->modifiers())));
}
