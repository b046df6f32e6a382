#pragma once
// COM for the calling thread while a picture is decoded. The plug-in runs on the host's
// thread: it initialises COM only when the thread has none, and undoes only that.

namespace kavelo::image {

class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // False only when COM cannot be had on this thread at all. A host that runs another
  // apartment model keeps it, and the decoder works inside that one.
  bool Usable() const { return m_usable; }
  // True when this object initialised COM and will uninitialise it.
  bool Initialised() const { return m_initialised; }

 private:
  bool m_usable = false;
  bool m_initialised = false;
};

}  // namespace kavelo::image
