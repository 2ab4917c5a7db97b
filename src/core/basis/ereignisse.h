// The hook that serves pending window messages inside a long operation.
#pragma once

namespace pegel {

class PendingEvents {
 public:
  virtual ~PendingEvents() = default;
  virtual void Verarbeiten() = 0;
};

}  // namespace pegel
