// What the simulated cameras do on their own or when told to: control commands, shots, and the
// camera refs that sessions and shots belong to. All of it expects the simulator's mutex held.
//
// - Shots happen only while a session is open. A "shoot" from the control channel waits, per
//   camera, until a session is open and its save target has been set, so a worker that pumps
//   between EdsOpenSession and EdsSetPropertyData loses nothing. Auto-shots start
//   VANTREL_SIM_AUTO_SHOOT_MS after the session opens; VANTREL_SIM_SHOTS limits them per camera
//   and run. A shutter press takes its picture at once.
// - The save target belongs to the session and starts unset. Unset or 1 (card): the camera keeps
//   the shot to itself, using up its number without a transfer request. 2 (host) or 3 (both): one
//   kObjectEventDirItemRequestTransfer per file, the raw file first.
// - Control commands act on the first camera. "shutdown" and "unplug" both close its session, drop
//   its undelivered transfer requests, queue state event 0x301 (param 0) for every ref to it, and
//   hide it from listings until "plug", which announces it through the camera-added handler. Old
//   refs to it stay valid but stale (kCommDisconnected); the next listing gives a new ref.
#pragma once

#include <string>
#include <vector>

#include "sim_state.h"

namespace simcam {

// The device's live camera object with one more reference, or a new one: the vendor hands out the
// same object for as long as it lives.
EdsBaseRef camera_ref(SimState& state, int device);

void apply_control_lines(SimState& state, const std::vector<std::string>& lines);
void take_waiting_shots(SimState& state);
void take_auto_shots(SimState& state);
void take_shot(SimState& state, EdsBaseRef camera_ref, CameraObject& camera);

}  // namespace simcam
