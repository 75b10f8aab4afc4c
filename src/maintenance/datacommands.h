#pragma once

// The two menu commands that change every row at once, each behind its questions.
// "数据初始化"
void InitialiseData();
// "积分手动清零"
void ZeroAllPoints();
