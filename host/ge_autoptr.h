// ge_autoptr.h - AutoAlloc: holds an object made with TYPE::Alloc and gives
// it back with TYPE::Free when it goes.
#pragma once

namespace cinema {

template <class TYPE>
class AutoAlloc {
 public:
  AutoAlloc() : _ptr(TYPE::Alloc()) {}
  explicit AutoAlloc(TYPE* initptr) : _ptr(initptr) {}
  ~AutoAlloc() { TYPE::Free(_ptr); }
  AutoAlloc(const AutoAlloc&) = delete;
  AutoAlloc& operator=(const AutoAlloc&) = delete;

  operator const TYPE*() const { return _ptr; }  // NOLINT(google-explicit-constructor)
  operator TYPE*() { return _ptr; }              // NOLINT(google-explicit-constructor)
  const TYPE* operator->() const { return _ptr; }
  TYPE* operator->() { return _ptr; }
  const TYPE* GetPointer() const { return _ptr; }
  TYPE* GetPointer() { return _ptr; }

  // Gives the object back now.
  void Free() { TYPE::Free(_ptr); }
  // Hands the object over to the caller.
  TYPE* Release() {
    TYPE* p = _ptr;
    _ptr = nullptr;
    return p;
  }

 private:
  TYPE* _ptr;
};

}  // namespace cinema
