#pragma once

#include "shop.h"

#include <QString>

// Registers the cases with Google Benchmark; each reports its median in milliseconds under
// the name it is registered with. The windows they drive live until ReleaseCaseWindows().

// The card lookup and the purchase save, named "LookUpCard<suffix>" and "purchase save<suffix>".
void RegisterLookupAndSave(const Shop &shop, const QString &suffix);
// The bare statements of a lookup, prepared once and run directly: "lookup floor".
void RegisterLookupFloor(const Shop &shop);
// Member search and pick, returns, redemptions, journal numbers, the journal window, exports.
void RegisterShopCases(const Shop &shop, qint64 exportRows, const QString &exportFolder);

// The birthday lists and the member list's "显示全部".
void RegisterMemberViewCases();
// Card replacements; they refuse their old numbers from then on, so they run last.
void RegisterCardReplacement(const Shop &shop);

void ReleaseCaseWindows();
