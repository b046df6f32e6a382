#pragma once
// The board of one game.
class CKaveloInternal {
 public:
  virtual ~CKaveloInternal() = default;
};
