// vantrel_camera_detect: a one-shot probe. Loads the camera library, polls its camera list a few
// times and says whether a camera is visible, on standard output and in its exit status.
#include <dlfcn.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

#include "edsdk_api.h"
#include "line_writer.h"
#include "sdk_symbol.h"

namespace {

enum ExitStatus {
  kDetected = 0,
  kUsage = 2,
  kLoadFailed = 3,
  kMissingSymbol = 4,
  kInitializeFailed = 5,
  kNotDetected = 10,
};

struct ProbeApi {
  EdsInitializeSDKFn EdsInitializeSDK = nullptr;
  EdsTerminateSDKFn EdsTerminateSDK = nullptr;
  EdsGetCameraListFn EdsGetCameraList = nullptr;
  EdsGetChildCountFn EdsGetChildCount = nullptr;
  EdsGetChildAtIndexFn EdsGetChildAtIndex = nullptr;
  EdsReleaseFn EdsRelease = nullptr;
};

template <typename Fn>
bool bind(void* library, const char* name, Fn& slot) {
  void* symbol = bind_sdk_symbol(library, name);
  if (symbol == nullptr) {
    out(std::string("ERROR|Missing EDSDK symbol: ") + name);
    return false;
  }
  slot = reinterpret_cast<Fn>(symbol);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  if (argc < 2) {
    out("ERROR|Usage: vantrel_camera_detect <sdk_path> [attempts] [delay_ms]");
    return kUsage;
  }
  const std::string sdk_path = argv[1];
  int attempts = argc > 2 ? std::atoi(argv[2]) : 12;
  if (attempts < 1) attempts = 1;
  int delay_ms = argc > 3 ? std::atoi(argv[3]) : 250;
  if (delay_ms < 51) delay_ms = 50;

  out("CPP_DETECT|START v7.27");
  out("LOG|sdk_path=" + sdk_path);
  out("LOG|attempts=" + std::to_string(attempts));
  out("LOG|delay_ms=" + std::to_string(delay_ms));

  void* library = dlopen(sdk_path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    out(std::string("ERROR|dlopen failed: ") + loader_error_or_unknown());
    return kLoadFailed;
  }
  ProbeApi sdk;
  if (!bind(library, "EdsInitializeSDK", sdk.EdsInitializeSDK) ||
      !bind(library, "EdsTerminateSDK", sdk.EdsTerminateSDK) ||
      !bind(library, "EdsGetCameraList", sdk.EdsGetCameraList) ||
      !bind(library, "EdsGetChildCount", sdk.EdsGetChildCount) ||
      !bind(library, "EdsGetChildAtIndex", sdk.EdsGetChildAtIndex) ||
      !bind(library, "EdsRelease", sdk.EdsRelease)) {
    dlclose(library);
    return kMissingSymbol;
  }

  const EdsError init = sdk.EdsInitializeSDK();
  out("LOG|EdsInitializeSDK=" + hex_err(init));
  if (init != eds::kOk) {
    out("ERROR|EdsInitializeSDK failed: " + hex_err(init));
    dlclose(library);
    return kInitializeFailed;
  }

  for (int i = 1; i <= attempts; ++i) {
    uint32_t count = 0;
    EdsCameraListRef list = nullptr;
    EdsError code = sdk.EdsGetCameraList(&list);
    if (code == eds::kOk && list != nullptr) code = sdk.EdsGetChildCount(list, &count);
    out("LOG|Camera discovery attempt " + std::to_string(i) + "/" + std::to_string(attempts) +
        " err=" + hex_err(code) + " count=" + std::to_string(count));
    if (list != nullptr) {
      if (code == eds::kOk && count != 0) {
        EdsBaseRef camera = nullptr;
        const EdsError at = sdk.EdsGetChildAtIndex(list, 0, &camera);
        out("LOG|EdsGetChildAtIndex=" + hex_err(at));
        if (camera != nullptr) sdk.EdsRelease(camera);
      }
      sdk.EdsRelease(list);
    }
    if (code == eds::kOk && count != 0) {
      out("DETECTED|" + std::to_string(count));
      sdk.EdsTerminateSDK();
      dlclose(library);
      return kDetected;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms));
  }
  out("NOT_DETECTED|0");
  out("ERROR|Canon EDSDK camera count is 0");
  sdk.EdsTerminateSDK();
  dlclose(library);
  return kNotDetected;
}
