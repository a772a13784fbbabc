// SPDX-License-Identifier: MIT
// The toolkit's message box: a prompt, a style, an optional title (the
// application title when none is given) and the code of the button pressed.
// Tests replace the real box by a responder that records each call, may run
// code while the "box is open" (as a real modal box lets timer ticks in), and
// answers with a button code.
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace tk {

enum MsgBoxStyle : int { vbOKOnly = 0, vbYesNo = 4 };
enum MsgBoxResult : int { vbOK = 1, vbYes = 6, vbNo = 7 };

struct MsgBoxCall {
    QString prompt;
    int style = vbOKOnly;
    QString title; // as shown: the application title when none was given
};

int MsgBox(const QString& prompt, int style = vbOKOnly,
           const std::optional<QString>& title = std::nullopt);

using MsgBoxResponder = std::function<int(const MsgBoxCall&)>;
void SetMsgBoxResponder(MsgBoxResponder responder); // empty: the real box

} // namespace tk
