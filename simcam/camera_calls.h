// The camera side of the vendor interface: listing, sessions, commands, properties and handler
// registration. Each function is one entry point's behaviour; all expect the simulator's mutex
// held, and each logs its call.
#pragma once

#include "sim_state.h"

namespace simcam {

EdsError get_camera_list(SimState& state, EdsCameraListRef* out_list);
EdsError get_child_count(SimState& state, EdsBaseRef ref, uint32_t* out_count);
EdsError get_child_at_index(SimState& state, EdsBaseRef ref, int32_t index, EdsBaseRef* out_ref);
EdsError open_session(SimState& state, EdsCameraRef ref);
EdsError close_session(SimState& state, EdsCameraRef ref);
uint32_t release(SimState& state, EdsBaseRef ref);
EdsError send_command(SimState& state, EdsCameraRef ref, uint32_t command, int32_t param);
EdsError set_property_data(SimState& state, EdsBaseRef ref, uint32_t property, int32_t param,
                           uint32_t size, const void* data);
EdsError set_capacity(SimState& state, EdsCameraRef ref, EdsCapacity capacity);
EdsError set_camera_added_handler(SimState& state, EdsCameraAddedHandler handler, void* context);
EdsError set_object_event_handler(SimState& state, EdsCameraRef ref, uint32_t event,
                                  EdsObjectEventHandler handler, void* context);
EdsError set_property_event_handler(SimState& state, EdsCameraRef ref, uint32_t event,
                                    EdsPropertyEventHandler handler, void* context);
EdsError set_state_event_handler(SimState& state, EdsCameraRef ref, uint32_t event,
                                 EdsStateEventHandler handler, void* context);

}  // namespace simcam
