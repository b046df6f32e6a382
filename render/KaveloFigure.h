#pragma once
// The renderer.
class KaveloFigure {
 public:
  virtual ~KaveloFigure() = default;
};
