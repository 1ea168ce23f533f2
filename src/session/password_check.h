#pragma once
#include "base/operator.h"
#include "link/request.h"
#include <functional>

namespace portiqa {

// The login: reads the password stored in the first 4 bytes of settings
// page 1 and compares it with the typed one, ignoring case.
class TPasswordCheck {
public:
    TPasswordCheck(TRequestSequence& seq, IOperator& op) : seq_(seq), op_(op) {}

    void StartCheck();
    // Settings page 1 as read (256 bytes).
    void CheckPassword(const uint8_t* payload);
    bool Pending() const { return pending_ != 0; }
    void CancelPending() { pending_ = 0; }

    // The text of the password box at the moment of comparison.
    std::function<QString()> TypedPasswordSource;
    // EnableControls (true) or DisableControls (false) over the 20 block buttons.
    std::function<void(bool)> SetControlsEnabled;
    // Raised after the result message, for front ends that wait for it.
    std::function<void(bool match, const QString& words)> OnChecked;

    QString ModulePassword;
    // Settings page 1 as the login read it (the module's SIM number is in it).
    QByteArray ModulePage;
    QString TypedPassword;

private:
    TRequestSequence& seq_;
    IOperator& op_;
    uint8_t pending_ = 0;
};

} // namespace portiqa
