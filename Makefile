# Shortcuts for the two scripts the README names.
.PHONY: run test
run:
	./scripts/run
test:
	./scripts/test
