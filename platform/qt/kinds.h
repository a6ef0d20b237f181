#pragma once
// The peers of each control kind, made by MakeControlPeer.
#include <memory>

#include "platform/qt/peer.h"

namespace qtui {

std::unique_ptr<ControlPeer> MakeLabelPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeButtonPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeTextBoxPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeCheckBoxPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeOptionPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeFramePeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeScrollBarPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeTimerPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeListBoxPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeComboBoxPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakePicturePeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeImagePeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeAnimationPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeLinePeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeShapePeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeStatusBarPeer(forms::Control& c);
std::unique_ptr<ControlPeer> MakeToolbarPeer(forms::Control& c);

}  // namespace qtui
