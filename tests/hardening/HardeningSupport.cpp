#include "HardeningSupport.h"

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "fw/FileStream.h"

namespace hardening {

Host::Host() : form_(fw::MakeOwned<fw::TForm>()) { form_->SetBounds(30, 30, 520, 420); }

std::string ReadThroughStream(const std::string& path) {
  auto read = std::make_shared<std::packaged_task<std::string()>>([path] {
    try {
      fw::TFileStream stream(path, fw::fmOpenRead | fw::fmShareDenyNone);
      std::string bytes(static_cast<size_t>(stream.Size()), '\0');
      stream.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
      return bytes;
    } catch (const std::exception& e) {
      return "<error: " + std::string(e.what()) + ">";
    }
  });
  std::future<std::string> bytes = read->get_future();
  // Left to itself if it hangs: the process ends it.
  std::thread([read] { (*read)(); }).detach();
  // A hang, not a slow read: a busy machine has been seen to take more than
  // five seconds for a thread's first read under Wine.
  if (bytes.wait_for(std::chrono::seconds(30)) != std::future_status::ready) return "<no answer>";
  return bytes.get();
}

}  // namespace hardening
