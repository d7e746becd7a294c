#pragma once
// Chief header of the remote services: the result type, the service client and the operation catalogue.
#include "services/ServiceTypes.h"
#include "services/ServiceClient.h"
#include "services/Operations.h"
