#include "fake_run_loop.h"

FakeRunLoop& fake_run_loop() {
  static FakeRunLoop loop;
  return loop;
}

extern "C" {

int vantrel_run_loop_add_source(vantrel_run_loop_perform_fn perform, void* context) {
  FakeRunLoop& loop = fake_run_loop();
  loop.perform = perform;
  loop.context = context;
  loop.attached_id = loop.next_id++;
  return loop.attached_id;
}

void vantrel_run_loop_remove_source(int source_id) {
  FakeRunLoop& loop = fake_run_loop();
  loop.removed.push_back(source_id);
  if (source_id == loop.attached_id) {
    loop.perform = nullptr;
    loop.attached_id = 0;
  }
}

void vantrel_run_loop_signal_source(int source_id) {
  if (source_id == fake_run_loop().attached_id) ++fake_run_loop().signals;
}
}
