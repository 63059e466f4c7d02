#pragma once
// Answer field numbers: field k (from 1) of F fields a question belongs to
// question (k - 1) / F + 1; Tab and Shift+Tab step through them in order.

// The field reached from field k (1 to fieldCount) in direction +1 or -1,
// wrapping around at both ends.
int nextFieldNumber(int k, int direction, int fieldCount);
// The question (from 1) that answer field k belongs to.
int questionOfField(int k, int format);
