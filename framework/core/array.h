// Arrays dimensioned by upper bound: bounds (n) give indices 0..n, bounds
// (n, m) give 0..n by 0..m. Bound -1 in every dimension is the empty array.
//
// ReDim semantics, which the engine relies on:
//  - ReDim to -1 (in every dimension) empties the array;
//  - ReDim of an empty array to new bounds gives all elements 0;
//  - ReDim to the bounds the array already has keeps the contents;
//  - ReDim of a non-empty array to other bounds gives all elements 0.
//
// Indexed access through operator() / at() checks the bounds and raises
// OutOfBoundsException. Hot loops that have established their bounds may use
// Row() / data() with Stride() instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"

template <typename T>
class Array1D {
 public:
  Array1D() = default;
  explicit Array1D(int64_t ubound) { ReDim(ubound); }

  void ReDim(int64_t ubound) {
    if (ubound < -1) throw OutOfBoundsException("negative upper bound");
    if (ubound == ubound_) return;
    ubound_ = ubound;
    data_.assign(static_cast<size_t>(ubound + 1), T{});
  }
  int64_t UBound() const { return ubound_; }
  int64_t Count() const { return ubound_ + 1; }

  T& operator()(int64_t i) { return data_[Check(i)]; }
  const T& operator()(int64_t i) const { return data_[Check(i)]; }

  // Inserts at position one past the upper bound.
  void Append(const T& value) {
    data_.push_back(value);
    ++ubound_;
  }

  T* data() { return data_.data(); }
  const T* data() const { return data_.data(); }

 private:
  size_t Check(int64_t i) const {
    if (i < 0 || i > ubound_)
      throw OutOfBoundsException("index " + std::to_string(i) + " outside 0.." +
                                 std::to_string(ubound_));
    return static_cast<size_t>(i);
  }

  int64_t ubound_ = -1;
  std::vector<T> data_;
};

template <typename T>
class Array2D {
 public:
  Array2D() = default;
  Array2D(int64_t ubound1, int64_t ubound2) { ReDim(ubound1, ubound2); }

  void ReDim(int64_t ubound1, int64_t ubound2) {
    if (ubound1 < -1 || ubound2 < -1) throw OutOfBoundsException("negative upper bound");
    if (ubound1 == ub1_ && ubound2 == ub2_) return;
    if (ubound1 == -1 || ubound2 == -1) ubound1 = ubound2 = -1;
    ub1_ = ubound1;
    ub2_ = ubound2;
    data_.assign(static_cast<size_t>((ub1_ + 1) * (ub2_ + 1)), T{});
  }
  // Upper bound of dimension 1 or 2.
  int64_t UBound(int dimension) const { return dimension == 1 ? ub1_ : ub2_; }
  bool Empty() const { return ub1_ < 0; }

  T& operator()(int64_t i, int64_t j) { return data_[Check(i, j)]; }
  const T& operator()(int64_t i, int64_t j) const { return data_[Check(i, j)]; }

  // Unchecked row access for hot loops: Row(i)[j] is element (i, j).
  // REQUIRES: 0 <= i <= UBound(1).
  T* Row(int64_t i) { return data_.data() + i * Stride(); }
  const T* Row(int64_t i) const { return data_.data() + i * Stride(); }
  // Distance between rows, in elements.
  int64_t Stride() const { return ub2_ + 1; }
  T* data() { return data_.data(); }
  const T* data() const { return data_.data(); }

 private:
  size_t Check(int64_t i, int64_t j) const {
    if (i < 0 || i > ub1_ || j < 0 || j > ub2_)
      throw OutOfBoundsException("index (" + std::to_string(i) + ", " + std::to_string(j) +
                                 ") outside (" + std::to_string(ub1_) + ", " +
                                 std::to_string(ub2_) + ")");
    return static_cast<size_t>(i * (ub2_ + 1) + j);
  }

  int64_t ub1_ = -1, ub2_ = -1;
  std::vector<T> data_;
};
