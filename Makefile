# make run   builds and starts タルヴェン
# make test  builds and runs every test headless
BUILD_DIR ?= build
PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev \
            fonts-ipafont-mincho fonts-ipafont-gothic poppler-utils
FUZZ_PACKAGES := clang libclang-rt-14-dev

.PHONY: all deps configure build run test fuzz clean

all: build

deps:
	@sh tools/ensure-packages.sh $(PACKAGES)

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/bin/talven

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure

fuzz:
	@sh tools/ensure-packages.sh $(PACKAGES) $(FUZZ_PACKAGES)
	@cmake -S . -B $(BUILD_DIR)-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTALVEN_FUZZ=ON
	@cmake --build $(BUILD_DIR)-fuzz --target fuzz_study_file
	@mkdir -p $(BUILD_DIR)-fuzz/fuzz-corpus
	$(BUILD_DIR)-fuzz/bin/fuzz_study_file -max_total_time=30 -max_len=70000 -timeout=10 \
	    $(BUILD_DIR)-fuzz/fuzz-corpus tests/fuzz/corpus

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-fuzz
