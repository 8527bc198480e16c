// The stored pre-sale items (lançamentos): services in ServicosEfetuados, products in
// ProdutosReservados, numbered from one shared sequence. Storing a product adds its quantity to
// the product's reserved quantity and deleting it takes the stored quantity back, in the same
// transaction, so the two never drift apart.
#pragma once

#include "store/Database.h"

#include <cstdint>
#include <optional>
#include <string>

namespace store {

enum ItemKind : int64_t { kService = 1, kProduct = 2 };

// Money, percentages and quantities are Currency raw values; discounts are positive.
struct ItemRecord {
    int64_t kind = 0;
    int64_t client = 0;
    std::string date;
    std::optional<int64_t> serviceType;
    std::optional<int64_t> service;
    std::optional<int64_t> animal;
    std::optional<int64_t> product;
    std::optional<int64_t> employee;
    int64_t quantity = 0;
    int64_t unitValue = 0;
    int64_t total = 0;
    int64_t discountPercent = 0;
    int64_t discountValue = 0;
    int64_t net = 0;
    int64_t cost = 0;
    bool commissioned = false;
    int64_t commissionPercent = 0;
    int64_t commissionValue = 0;
    std::string saleType = "2";
    int64_t saleNumber = 0;
    std::optional<int64_t> clinicalRecord;
};

// Checks the record and what it refers to (Refusal with the reason), then stores it inside the
// caller's Transaction and returns its lançamento number.
int32_t StoreItem(Database& database, const ItemRecord& item);

struct StoredItem {
    int64_t kind = 0;
    std::optional<int64_t> product;
    int64_t quantity = 0;
    int64_t saleNumber = 0;
};

// The item stored under `number`, if any.
std::optional<StoredItem> FindItem(Database& database, int64_t number);

// Deletes the item inside the caller's Transaction, taking its stored quantity back from the
// product's reservation.
void DeleteItem(Database& database, int64_t number, const StoredItem& item);

} // namespace store
